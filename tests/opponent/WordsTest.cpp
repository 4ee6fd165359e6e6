// The shared word helpers: what trimming takes off and keeps, and that word
// comparison ignores only the case of ASCII letters.
#include <gtest/gtest.h>

#include "Words.h"

namespace quintar {
namespace {

TEST(Words, TrimmedTakesSpacesAndTabsOffBothEndsOnly) {
  EXPECT_EQ(Trimmed(" \t low level\t "), "low level");
  EXPECT_EQ(Trimmed("high"), "high");
  EXPECT_EQ(Trimmed(" \t \t"), "");
  EXPECT_EQ(Trimmed(""), "");
  EXPECT_EQ(Trimmed("\nword\r"), "\nword\r");
}

TEST(Words, SameWordIgnoresTheCaseOfLettersAndNothingElse) {
  EXPECT_TRUE(SameWord("EXPERT", "expert"));
  EXPECT_TRUE(SameWord("MeDiUm", "mEdIuM"));
  EXPECT_TRUE(SameWord("", ""));
  EXPECT_FALSE(SameWord("expert", "experts"));
  EXPECT_FALSE(SameWord("low", "lew"));
  // '@' and '`' sit next to the letters; '[' is 'Z' + 1 and '{' is 'z' + 1.
  EXPECT_FALSE(SameWord("@", "`"));
  EXPECT_FALSE(SameWord("[", "{"));
  EXPECT_FALSE(SameWord("\xC9", "\xE9"));
}

}  // namespace
}  // namespace quintar
