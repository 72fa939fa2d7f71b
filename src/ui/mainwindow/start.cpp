#include "mainwindow/start.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QLocale>
#include <QLockFile>
#include <QScreen>
#include <QSize>
#include <QSocketNotifier>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include <fcntl.h>
#include <unistd.h>

#include "mainwindow/app_style.h"
#include "store/date_parse.h"
#include "store/folders.h"
#include "mainwindow/frm_famtree.h"
#include "dialogs/frm_password.h"
#include "mainwindow/editing_windows.h"
#include "mainwindow/frm_splash.h"
#include "dialogs/frm_support.h"
#include "mainwin/exit_path.h"
#include "mainwin/recovery.h"
#include "mainwin/startup.h"
#include "dialogs/qt_file_dialogs.h"
#include "dialogs/qt_prompter.h"
#include "qt_text.h"
#include "store/password.h"
#include "store/paths.h"
#include "store/settings.h"
#include "mainwindow/window_rules.h"

#ifndef VFT_SOURCE_RESOURCES
#define VFT_SOURCE_RESOURCES ""
#endif

namespace vft::ui {
namespace {

// The lock that tells other runs this work folder is in use.
constexpr const char* kLockName = "run.lock";

// Boxes asked during the start stand in front of the splash, not behind it.
class SplashPrompter : public Prompter {
 public:
  SplashPrompter(Prompter& inner, frmSplash& splash) : inner_(inner), splash_(splash) {}
  int ask(const Message& m) override {
    const bool was_visible = splash_.isVisible();
    splash_.hide();
    int answer = inner_.ask(m);
    if (was_visible) splash_.show();
    return answer;
  }

 private:
  Prompter& inner_;
  frmSplash& splash_;
};

// A folder whose run still holds its lock belongs to a program running now.
bool in_use(const std::string& folder) {
  const QString path = from_native(folder + kLockName);
  if (!QFile::exists(path)) return false;
  QLockFile lock(path);
  if (lock.tryLock(0)) {
    lock.unlock();
    return false;
  }
  return lock.error() == QLockFile::LockFailedError;
}

// "--screenshot FILE.png [--size WIDTHxHEIGHT]" before the Family file: the
// program opens the file, saves a picture of its main window and ends, for
// machines without a display.
struct Screenshot {
  QString file;
  QSize size{1366, 768};
};

QStringList take_screenshot_options(QStringList args, Screenshot& shot) {
  while (args.size() >= 2 && args.front().startsWith(QStringLiteral("--"))) {
    const QString option = args.takeFirst(), value = args.takeFirst();
    if (option == QStringLiteral("--screenshot")) {
      shot.file = value;
    } else if (option == QStringLiteral("--size")) {
      const QStringList wh = value.split(QLatin1Char('x'));
      if (wh.size() == 2 && wh[0].toInt() > 0 && wh[1].toInt() > 0) shot.size = QSize(wh[0].toInt(), wh[1].toInt());
    }
  }
  return args;
}

// A signal only writes a byte here; the event loop does the rest (a signal
// handler may do next to nothing itself).
int signal_pipe[2] = {-1, -1};

void note_signal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = ::write(signal_pipe[1], &byte, 1);
}

class StartUp {
 public:
  explicit StartUp(QApplication& app) : app_(app) {}

  void begin() {
    watch_end_signals();
    splash_.show();
    // The rest runs from the event loop, so the splash paints first.
    QTimer::singleShot(0, [this] { splash_load(); });
  }

 private:
  QApplication& app_;
  QtPrompter prompter_;
  frmSplash splash_;
  SplashPrompter splash_prompter_{prompter_, splash_};
  Session s_{splash_prompter_};
  QtFileDialogs dialogs_;
  std::unique_ptr<QLockFile> lock_;
  std::unique_ptr<frmFamtree> main_;
  StartChoice choice_;
  bool recovered_ = false;
  Screenshot shot_;

  std::unique_ptr<QSocketNotifier> signals_;

  // Log-out and shut-down send SIGTERM or SIGHUP: the run ends without a
  // question, keeping unsaved changes for the next start and leaving nothing
  // else behind (no work folder, no lock).
  void watch_end_signals() {
    if (::pipe2(signal_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    signals_ = std::make_unique<QSocketNotifier>(signal_pipe[0], QSocketNotifier::Read);
    QObject::connect(signals_.get(), &QSocketNotifier::activated, [this] { end_on_signal(); });
    struct sigaction sa {};
    sa.sa_handler = note_signal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &sa, nullptr);
    ::sigaction(SIGHUP, &sa, nullptr);
  }

  void end_on_signal() {
    if (!s_.WorkFolder.empty()) {
      if (EndWithoutAsking(s_) && lock_) lock_->unlock();
    }
    // Nothing may run after this: an open dialog's caller would write into
    // the folder just removed.
    std::fflush(nullptr);
    std::_Exit(0);
  }

  void quit(int code) {
    splash_.close();
    QTimer::singleShot(0, &app_, [code] { QApplication::exit(code); });
  }

  void splash_load() {
    s_.now = system_now;
    s_.MonthFirst = PatternPutsMonthFirst(QLocale::system().dateFormat(QLocale::ShortFormat).toStdString());
    const EnvLookup env = SystemEnvironment();
    s_.ProgramFolder = ProgramFolder(env, ExecutableFolder(), VFT_SOURCE_RESOURCES);
    s_.AppDataFolder = AppDataFolder(env);
    // The theme's icon once installed; the program folder's copy from a build tree.
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("vorlan-family-tree"),
                                                 QIcon(from_native(s_.ProgramFolder + "/vorlan-family-tree.png"))));
    s_.FirstActivation = true;
    if (!CreateWorkFolder(s_)) {
      s_.ask("Vorlan Family Tree",
             "Vorlan Family Tree cannot create its working folder in" + std::string(CrLf) + s_.settings_folder() +
                 CrLf + "Please check that this folder exists and can be written to.",
             Buttons::OK, Icon::Critical);
      quit(1);
      return;
    }
    lock_ = std::make_unique<QLockFile>(from_native(s_.WorkFolder + kLockName));
    lock_->tryLock(0);
    if (MigrateSettingsFile(s_)) RenewPasswordAfterMigration(s_, SystemRandom);
    if (PasswordStored(s_)) {
      splash_.hide();
      frmPassword password(s_);
      if (password.exec() != QDialog::Accepted) {
        lock_->unlock();
        RemoveWorkFolder(s_);
        quit(0);
        return;
      }
      splash_.show();
    }
    LoadSettings(s_);

    std::vector<std::string> leftovers;
    for (const std::string& folder : FindLeftoverWorkFolders(s_))
      if (!in_use(folder)) leftovers.push_back(folder);
    recovered_ = !leftovers.empty() && OfferRecovery(s_, leftovers);

    if (!recovered_) {
      const QStringList args = take_screenshot_options(QApplication::arguments().mid(1), shot_);
      // A picture wants the tree, not the first run's welcome text.
      if (!shot_.file.isEmpty()) s_.FirstActivation = false;
      choice_ = ChooseStartFile(s_, native_path(args.join(QLatin1Char(' '))), native_path(QDir::currentPath()));
    }
    splash_.set_message(qs(choice_.splash_text));
    QApplication::processEvents();
    if (choice_.open_now) OpenStartFile(s_, choice_.path);
    QTimer::singleShot(choice_.timer_ms, [this] {
      if (!choice_.open_now && !choice_.path.empty()) OpenStartFile(s_, choice_.path);
      show_main();
    });
  }

  void show_main() {
    main_ = std::make_unique<frmFamtree>(s_, dialogs_);
    prompter_.set_parent(main_.get());
    dialogs_.set_parent(main_.get());
    s_.prompter = &prompter_;
    main_->on_exit = [] { QTimer::singleShot(0, [] { QApplication::exit(0); }); };
    s_.on_help = [this](const std::string& topic) { OpenHelpPage(s_, topic); };
    prompter_.open_help = s_.on_help;
    install_windows(*main_, s_, dialogs_);
    main_->on_leaving = [this] {
      if (lock_) lock_->unlock();
    };
    main_->LoadWindow();
    if (recovered_) {
      // The recovered records belong to the file they were opened from, if any.
      main_->document().FileName = s_.OpenedAs.path.empty() ? std::string() : FileNameOf(s_.OpenedAs.path);
      s_.RecordsSaved = false;
      s_.NothingChanged = false;
      main_->RefreshFamilyView();
    }
    if (!shot_.file.isEmpty()) {
      main_->resize(shot_.size);
      main_->show();
      QTimer::singleShot(800, main_.get(), [this] { save_screenshot(); });
      splash_.close();
      return;
    }
    // The whole screen, also where no window manager maximises windows.
    if (QScreen* screen = QApplication::primaryScreen()) main_->setGeometry(screen->availableGeometry());
    main_->showMaximized();
    main_->activateWindow();
    splash_.close();
    // Without a window manager no activation event may ever come; the first
    // activation's work must happen all the same.
    QTimer::singleShot(0, main_.get(), [this] { main_->OnActivate(); });
  }

  // The picture, then an end without the exit path's questions: nothing was changed.
  void save_screenshot() {
    main_->RefreshFamilyView();
    const bool saved = main_->grab().save(shot_.file);
    fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "Saved" : "Could not save", qPrintable(shot_.file));
    if (lock_) lock_->unlock();
    RemoveWorkFolder(s_);
    QApplication::exit(saved ? 0 : 1);
  }
};

}  // namespace

int run_program(QApplication& app) {
  QApplication::setApplicationName(QStringLiteral("Vorlan Family Tree"));
  QApplication::setApplicationVersion(QStringLiteral(VFT_VERSION));
  apply_app_style(app);
  InstallWindowRules(app);
  // The program ends with the exit path of the main window, not when some
  // window happens to be the last one open (a message box before the main
  // window is up, say).
  QApplication::setQuitOnLastWindowClosed(false);
  StartUp start(app);
  start.begin();
  return app.exec();
}

}  // namespace vft::ui
