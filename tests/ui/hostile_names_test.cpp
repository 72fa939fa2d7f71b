// Names that look like markup, through the real Qt message boxes: the delete,
// connect and import questions show them exactly as typed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "interchange/gedcom_import.h"
#include "qt_prompter.h"
#include "qt_text.h"
#include "relations/connect.h"
#include "relations/delete_person.h"
#include "temp_session.h"
#include "tree_builder.h"
#include "widget_find.h"

using namespace vft;
using vft::ui::qs;

TEST(HostileNames, QuestionsShowTheNameAsTyped) {
  test::TempSession t;
  Session& s = t.s;
  test::TreeBuilder b(s);
  ui::QtPrompter qt;
  s.prompter = &qt;
  struct Seen {
    QString text;
    Qt::TextFormat format;
  };
  std::vector<Seen> seen;
  // Every box is noted and answered No (or OK).
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    test::guarded([&] {
      auto* label = test::child<QLabel>(box, "qt_msgbox_label");
      seen.push_back({label->text(), label->textFormat()});
      QAbstractButton* answer = box->button(QMessageBox::No);
      test::must(answer ? answer : box->button(QMessageBox::Ok), "No or OK")->click();
    });
  });
  poll.start(5);
  const std::int16_t ann = b.person("Ann", "Hill", "F");
  for (const char* name : {"<h1>Big</h1>", "<script>x()</script>", "Tom &amp; Jo", "</PRE>Ed"}) {
    SCOPED_TRACE(name);
    const std::int16_t x = b.person(name, "Lee", "M");
    seen.clear();
    DeletePerson(s, x);
    b.select(ann);
    ResetRelationState(s.Rel);
    s.Rel.ConnectMode = s.Rel.AsFather = true;
    ConnectSelectedPerson(s, x);
    const std::string file = "<b>" + std::string(name).substr(std::string(name).rfind('/') + 1) + "&amp;.ged";
    ImportGedcom(s, t.dir.path() + file, {}, {});
    ASSERT_EQ(seen.size(), 3u);
    const QString as_typed = qs(name) + QStringLiteral(" Lee");
    EXPECT_TRUE(seen[0].text.contains(as_typed)) << seen[0].text.toStdString();
    EXPECT_TRUE(seen[1].text.startsWith(QStringLiteral("Connect ") + as_typed)) << seen[1].text.toStdString();
    EXPECT_TRUE(seen[2].text.contains(qs(file))) << seen[2].text.toStdString();
    for (const Seen& box : seen) EXPECT_EQ(box.format, Qt::PlainText);
  }
}
