// Messages joined from fixed pieces and names: one blank where a name meets
// a word at the start, in the middle and at the end of a sentence, none
// before punctuation or around a line break, never two.
#include <gtest/gtest.h>

#include "common/sentence.h"

using namespace vft;

TEST(MessageText, SentenceJoinsNamesAndWordsWithOneBlank) {
  struct Case {
    std::string joined, expected;
  };
  const Case cases[] = {
      {Sentence({"Connect", "Zed Orphan", "as a child to ", "Ann"}), "Connect Zed Orphan as a child to Ann"},
      {Sentence({"Add a", " second ", "Partner for ", "Ann"}), "Add a second Partner for Ann"},
      {Sentence({"Delete  ", "Tom Cancel", "from the records.", "  ", "Sure?"}),
       "Delete Tom Cancel from the records. Sure?"},
      {Sentence({"in:", "/bk/sub/", "\r\n", " Do you want to view these pages?"}),
       "in: /bk/sub/\r\nDo you want to view these pages?"},
      {Sentence({"Is", "Ann", "?", "Person #", "5", "(", "1 Jan 1920", ")", "..", ",", "x"}),
       "Is Ann? Person #5 (1 Jan 1920) .., x"},
      {Sentence({"", "  ", "Ann  Lee", ""}), "Ann  Lee"},
      {Sentence({}), ""},
  };
  for (const Case& c : cases) EXPECT_EQ(c.joined, c.expected);
}

TEST(MessageText, TidyBlanksKeepsTheLinesAndOneBlankBetweenWords) {
  EXPECT_EQ(TidyBlanks("  Data has been changed.   Do you\r\n  wish  to save?  \r\n\r\nYes "),
            "Data has been changed. Do you\r\nwish to save?\r\n\r\nYes");
  EXPECT_EQ(TidyBlanks("   "), "");
}
