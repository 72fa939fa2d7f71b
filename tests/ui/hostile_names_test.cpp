// Names that look like markup, through the real Qt message boxes: a question
// shows them exactly as typed. Every box takes its text the same way, so the
// delete question stands for them all.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "qt_prompter.h"
#include "qt_text.h"
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
  // Every box is noted and answered No.
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    test::guarded([&] {
      auto* label = test::child<QLabel>(box, "qt_msgbox_label");
      seen.push_back({label->text(), label->textFormat()});
      test::must(box->button(QMessageBox::No), "No")->click();
    });
  });
  poll.start(5);
  for (const char* name : {"<h1>Big</h1>", "<script>x()</script>", "Tom &amp; Jo", "</PRE>Ed"}) {
    SCOPED_TRACE(name);
    const std::int16_t x = b.person(name, "Lee", "M");
    seen.clear();
    DeletePerson(s, x);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(seen[0].text.contains(qs(name) + QStringLiteral(" Lee"))) << seen[0].text.toStdString();
    EXPECT_EQ(seen[0].format, Qt::PlainText);
  }
}
