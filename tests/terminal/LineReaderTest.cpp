// Lines as peers end them, and the bound on what one line may cost.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "LineReader.h"

namespace quintar::terminal {
namespace {

std::vector<std::string> LinesOf(const std::string& Bytes, std::size_t MaxLength = 100) {
  std::istringstream In(Bytes);
  TLineReader Reader(In, MaxLength);
  std::vector<std::string> Lines;
  std::string Line;
  while (Reader.Next(Line)) Lines.push_back(Line);
  return Lines;
}

using TLines = std::vector<std::string>;

TEST(LineReader, EndsLinesAtLineFeedCarriageReturnOrBoth) {
  EXPECT_EQ(LinesOf("a\nb\rc\r\nd"), (TLines{"a", "b", "c", "d"}));
  EXPECT_EQ(LinesOf("a\r\n\r\nb\n\nc\r\r"), (TLines{"a", "", "b", "", "c", ""}));
  EXPECT_EQ(LinesOf("\n\r"), (TLines{"", ""}));  // LF then CR: two ends, no pair
  EXPECT_EQ(LinesOf(""), TLines{});
}

TEST(LineReader, AnswersACarriageReturnWithoutWaitingForMore) {
  // A peer that ends with CR and then waits must get its line at once: the
  // reader may not look past the CR for a LF.
  std::stringstream Pipe;
  Pipe << "BEGIN\r";
  TLineReader Reader(Pipe, 100);
  std::string Line;
  ASSERT_TRUE(Reader.Next(Line));
  EXPECT_EQ(Line, "BEGIN");
  Pipe.clear();
  Pipe << "\nTURN 1,1\r\n";
  ASSERT_TRUE(Reader.Next(Line));
  EXPECT_EQ(Line, "TURN 1,1");
}

TEST(LineReader, CutsAnOverlongLineAndSaysSo) {
  std::istringstream In(std::string(100000, 'x') + "\nshort\n");
  TLineReader Reader(In, 16);
  std::string Line;
  ASSERT_TRUE(Reader.Next(Line));
  EXPECT_EQ(Line, std::string(16, 'x'));
  EXPECT_TRUE(Reader.Truncated());
  ASSERT_TRUE(Reader.Next(Line));
  EXPECT_EQ(Line, "short");
  EXPECT_FALSE(Reader.Truncated());
  EXPECT_FALSE(Reader.Next(Line));
}

TEST(LineReader, KeepsBinaryBytesAsTheyAre) {
  const std::string Garbage("\0\x01\xff\x7f", 4);
  EXPECT_EQ(LinesOf(Garbage + "\n"), TLines{Garbage});
}

}  // namespace
}  // namespace quintar::terminal
