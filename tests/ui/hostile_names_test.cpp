// Names that look like markup, through the real Qt message boxes: a question
// shows them exactly as typed. Every box takes its text the same way, so the
// delete question stands for them all.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <tuple>

#include "dialogs/qt_prompter.h"
#include "qt_text.h"
#include "relations/delete_person.h"
#include "tree_fixture.h"
#include "widget_find.h"

using namespace vft;
using vft::ui::qs;

using HostileNames = test::TreeFixture;

TEST_F(HostileNames, QuestionsShowTheNameAsTyped) {
  ui::QtPrompter qt;
  s.prompter = &qt;
  for (const char* name :
       {"<h1>Big</h1>", "<script>x()</script>", "Tom &amp; Jo", "</PRE>Ed", "Wilhelmina Charlotte Henrietta"}) {
    SCOPED_TRACE(name);
    const std::int16_t x = b.person(name, "Lee", "M");
    test::ModalDriver d;  // the one box, answered No
    d.on("QMessageBox", [&](QWidget* box) {
      auto* label = test::child<QLabel>(box, "qt_msgbox_label");
      EXPECT_TRUE(label->text().contains(qs(name) + QStringLiteral(" Lee"))) << label->text().toStdString();
      EXPECT_EQ(label->textFormat(), Qt::PlainText);
      // The whole text fits its label, wrapped, and the box the screen.
      EXPECT_LE(label->heightForWidth(label->width()), label->height());
      test::must(qobject_cast<QMessageBox*>(box)->button(QMessageBox::No), "No")->click();
    });
    DeletePerson(s, x);
  }
  // A label wider than its box would be cut at the box's edge: the box grows
  // to at most the screen less 480 pixels, or 1000.
  for (const auto& [widest, screen, want] :
       {std::tuple{300, 1280, 304}, {2000, 1280, 680}, {2000, 1920, 880}, {2000, 800, 680}, {10, 1280, 200}})
    EXPECT_EQ(ui::MessageLabelWidth(widest, screen), want) << widest << " " << screen;
}
