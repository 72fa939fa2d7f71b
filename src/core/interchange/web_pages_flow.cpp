// The dialog's decisions and questions, without the window: the options as
// stored, the OK button's checks and questions, the privacy reminder, the
// preparer questions and the colour conflicts.
#include <filesystem>
#include <system_error>

#include "common/cp1252.h"
#include "common/sentence.h"
#include "interchange/web_pages.h"
#include "store/ini.h"
#include "store/paths.h"
#include "store/records.h"
#include "store/settings.h"

namespace vft {
namespace {

constexpr const char* kTitle = "Build Family Web Pages";
constexpr const char* kColourTitle = "Set Text Colours";
constexpr const char* kWebSection = "WebSite";

bool starts_with_ci(const std::string& text, std::string_view prefix) {
  return text.size() >= prefix.size() && cp1252::iequals(std::string_view(text).substr(0, prefix.size()), prefix);
}

bool has_scheme(const std::string& address) {
  return starts_with_ci(address, "http://") || starts_with_ci(address, "https://");
}

// Colours are kept in the settings file as the Windows colour value
// (0x00BBGGRR, decimal), as older settings files hold them.
std::uint32_t swap_rb(std::uint32_t c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }

void read_colour(const Session& s, const char* key, std::uint32_t& colour) {
  const std::string text = IniReadText(s, kWebSection, key);
  if (cp1252::trim(text).empty()) return;
  colour = swap_rb(static_cast<std::uint32_t>(ini_to_int(text)) & 0xFFFFFFu);
}

IniValue colour_value(const char* key, std::uint32_t colour) {
  return {kWebSection, key, std::to_string(swap_rb(colour & 0xFFFFFFu))};
}

std::string with_separator(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

std::uint32_t colour_of(const WebColours& c, WebColour which) {
  switch (which) {
    case WebColour::Back: return c.BackColour;
    case WebColour::NormText: return c.NormTextColour;
    case WebColour::Link: return c.LinkColour;
    case WebColour::Visited: return c.VisitedColour;
  }
  return 0;
}

const char* colour_label(WebColour which) {
  switch (which) {
    case WebColour::NormText: return "'Normal' text colour";
    case WebColour::Link: return "'Link' text colour";
    case WebColour::Visited: return "'Visited Link' text colour";
    case WebColour::Back: break;
  }
  return "background colour";
}

}  // namespace

WebOptions LoadWebOptions(const Session& s, const std::string& documents_folder) {
  WebOptions o;
  o.folder = IniReadText(s, section::FilePaths, "WebPagesSavePath");
  if (cp1252::trim(o.folder).empty()) o.folder = with_separator(documents_folder) + "My Family Web Pages";
  o.Name = IniReadText(s, section::User, "Name");
  o.Email = IniReadText(s, section::User, "Email");
  o.WebSite = cp1252::trim(IniReadText(s, section::User, "WebSite"));
  if (!o.WebSite.empty() && !has_scheme(o.WebSite)) o.WebSite = "http://" + o.WebSite;
  read_colour(s, "BackColour", o.colours.BackColour);
  read_colour(s, "NormTextColour", o.colours.NormTextColour);
  read_colour(s, "LinkColour", o.colours.LinkColour);
  read_colour(s, "VisitedColour", o.colours.VisitedColour);
  o.IncludeBirthdays = IniReadInt(s, kWebSection, "IncludeBirthdays") == 1;
  o.HTMLMode = IniReadInt(s, kWebSection, "HTMLMode") == 1;
  const std::string style = cp1252::trim(IniReadText(s, kWebSection, "PageStyle"));
  const bool made_before = !cp1252::trim(IniReadText(s, section::FilePaths, "WebPagesSavePath")).empty();
  if (cp1252::iequals(style, "Classic") || (style.empty() && made_before)) o.style = WebStyle::Classic;
  return o;
}

bool StoreWebOptions(Session& s, const WebOptions& o) {
  return IniWriteMany(s, {{section::FilePaths, "WebPagesSavePath", cp1252::trim(o.folder)},
                          {section::User, "Name", cp1252::trim(o.Name)},
                          {section::User, "Email", cp1252::trim(o.Email)},
                          {section::User, "WebSite", cp1252::trim(o.WebSite)},
                          colour_value("BackColour", o.colours.BackColour),
                          colour_value("NormTextColour", o.colours.NormTextColour),
                          colour_value("LinkColour", o.colours.LinkColour),
                          colour_value("VisitedColour", o.colours.VisitedColour),
                          {kWebSection, "IncludeBirthdays", o.IncludeBirthdays ? "1" : "0"},
                          {kWebSection, "HTMLMode", o.HTMLMode ? "1" : "0"},
                          {kWebSection, "PageStyle", o.style == WebStyle::Classic ? "Classic" : "Modern"}});
}

WebBuildResult BuildWebPages(Session& s, const WebOptions& o, const Progress& progress) {
  WebBuildResult r;
  auto fail = [&](const std::string& text) {
    r.status = WebStatus::Failed;
    r.message = text;
    s.ask(kTitle, text, Buttons::OK, Icon::Exclamation);
    return r;
  };
  const std::string entered = cp1252::trim(o.folder);
  if (entered.empty()) return fail(Sentence({"Please enter a drive and path", "to save the web pages to."}));
  if (!ValidPath(entered)) return fail("The path name you entered is invalid.");
  const std::string folder = with_separator(entered);
  namespace fs = std::filesystem;
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) {
    if (fs::exists(entered, ec)) return fail("The path name you entered is invalid.");
    const std::string q = Sentence({"The Folder:", folder, "was not found.", "Do you want to create it?"});
    if (s.ask(kTitle, q, Buttons::YesNo, Icon::Question) != kAnswerYes) {
      r.status = WebStatus::Cancelled;
      return r;
    }
    fs::create_directories(folder, ec);
    if (ec || !fs::is_directory(folder, ec))
      return fail(Sentence({"The Folder:", folder, "could not be created.", CrLf, ec.message()}));
  }

  if (o.IncludeBirthdays) {
    const std::string q = std::string("Do you really want to include birthdates and marriage ") + CrLf +
                          "dates of living persons in your web pages?" + CrLf +
                          "It may be that some of your living relations may not like " + CrLf +
                          "to have their date events published on the Internet.";
    if (s.ask(kTitle, q, Buttons::YesNo, Icon::Question, 1) != kAnswerYes) {
      r.status = WebStatus::Cancelled;
      return r;
    }
  }

  LoadMarriages(s);
  const long n = CountWebFamilies(s);
  // Old pages the user chose to delete go only when this run is over (the
  // run rewrites those it makes again, which is much quicker than deleting
  // and creating them); the folder ends up just as if they had gone first.
  bool replace_old = false;
  if (const long existing = CountExistingWebPages(folder); existing > 0) {
    const std::string q = Sentence({"A set of", std::to_string(existing), "web pages already exists in the folder",
                                    folder, CrLf, "Do you want to delete these pages?"});
    if (s.ask(kTitle, q, Buttons::YesNo, Icon::Question) == kAnswerYes) {
      replace_old = true;
      s.ask(kTitle, "Web Page files deleted!", Buttons::OK, Icon::Information);
    }
  }
  WebOptions opts = o;
  opts.folder = folder;
  const std::string q =
      Sentence({"You are about to generate", std::to_string(n), "web pages.", "and use approximately",
                std::to_string(EstimateWebSiteKB(s, opts)), "KB of disk space.", "Do you wish to continue?"});
  if (s.ask(kTitle, q, Buttons::YesNo, Icon::Question) != kAnswerYes) {
    if (replace_old) DeleteWebPages(folder);
    r.status = WebStatus::Cancelled;
    return r;
  }

  auto ask_cancel = [&](const std::string& text, long count) {
    if (!progress || progress(text, count)) return true;
    return s.ask("Generating Family Web", " Do you wish to cancel this operation?", Buttons::YesNo, Icon::Question) !=
           kAnswerYes;
  };
  static_cast<WebResult&>(r) = WriteWebSite(s, opts, ask_cancel, replace_old);
  if (r.status == WebStatus::Cancelled) {
    if (!r.message.empty()) s.ask(kTitle, r.message, Buttons::OK, Icon::Information);
    return r;
  }
  if (r.status == WebStatus::Failed) {
    s.ask(kTitle, r.message, Buttons::OK, Icon::Critical);
    return r;
  }
  opts.folder = entered;
  if (!StoreWebOptions(s, opts)) s.status(SettingsNotKept(s));
  std::string done = Sentence({"Vorlan Family Tree generated", std::to_string(r.counts.family_pages),
                               "web pages and saved them in:", folder, CrLf});
  if (const std::string links = ReplacedLinksText(r.counts); !links.empty()) done += links + CrLf;
  done += "Do you want to view these pages?";
  r.open_index = s.ask(kTitle, done, Buttons::YesNo, Icon::Question) == kAnswerYes;
  return r;
}

bool ShowPrivacyReminder(Session& s) {
  if (IniReadInt(s, kWebSection, "RemindSuppressDates") == 1) return false;
  const std::string text = std::string("It may be that some of your living relations may not like to have their ") +
                           CrLf + "date events published on the Internet." + CrLf +
                           "Leaving \"Include Birthdates and Marriage Dates of Living Persons\"" + CrLf +
                           "unchecked will generate pages with the birthdates and marriage " + CrLf +
                           "dates of deceased people only. Living person\x92s birth dates and " + CrLf +
                           "marriage dates will not be included." + CrLf +
                           "Check \x91Include Birthdates and Marriage Dates of Living Persons\x92" + CrLf +
                           "if you want to include this information on the web pages." + CrLf +
                           "Click \"Yes\" if you want to be reminded again." + CrLf +
                           "Click \"No\" if you don't want to see this message again.";
  if (s.ask(kTitle, text, Buttons::YesNo, Icon::Information) == kAnswerNo)
    (void)IniWrite(s, kWebSection, "RemindSuppressDates", "1");  // not kept, the reminder only comes again
  return true;
}

bool AskIncludePreparer(Session& s, PreparerDetail which) {
  const char* q = which == PreparerDetail::Name    ? "Do you wish to include your name on the web pages?"
                  : which == PreparerDetail::Email ? "Do you wish to include your email address on the web pages?"
                                                   : "Do you wish to include your web site address on the web pages?";
  return s.ask(kTitle, q, Buttons::YesNo, Icon::Question) == kAnswerYes;
}

bool CheckWebAddress(Session& s, const std::string& address) {
  if (has_scheme(cp1252::trim(address))) return true;
  s.ask(kTitle, "The web address is incomplete.", Buttons::OK, Icon::Exclamation);
  return false;
}

std::string ColourConflictText(const WebColours& colours, WebColour which, std::uint32_t value) {
  value &= 0xFFFFFFu;
  WebColour other = WebColour::Back;
  bool clash = false;
  if (which == WebColour::Back) {
    for (WebColour c : {WebColour::NormText, WebColour::Link, WebColour::Visited}) {
      if ((colour_of(colours, c) & 0xFFFFFFu) == value) {
        other = c;
        clash = true;
        break;
      }
    }
  } else {
    clash = (colours.BackColour & 0xFFFFFFu) == value;
  }
  if (!clash) return {};
  const std::string first =
      which == WebColour::Back ? "The background colour" : std::string("The ") + colour_label(which);
  return first + " is set to the same  " + CrLf + "colour as the " + colour_label(other) + ". " + CrLf +
         "This will cause the text to be invisible " + CrLf + "against the background.  " + CrLf +
         "Click 'OK' to keep the new colour or " + CrLf + "'Cancel' to keep the old colour.";
}

bool SetWebColour(Session& s, WebColours& colours, WebColour which, std::uint32_t value) {
  const std::string warning = ColourConflictText(colours, which, value);
  if (!warning.empty() && s.ask(kColourTitle, warning, Buttons::OKCancel, Icon::Exclamation) != kAnswerOK) return false;
  value &= 0xFFFFFFu;
  switch (which) {
    case WebColour::Back: colours.BackColour = value; break;
    case WebColour::NormText: colours.NormTextColour = value; break;
    case WebColour::Link: colours.LinkColour = value; break;
    case WebColour::Visited: colours.VisitedColour = value; break;
  }
  return true;
}

}  // namespace vft
