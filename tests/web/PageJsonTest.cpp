// The JSON the page parses: texts escaped so that any sentence survives
// JSON.parse, and cells counted from 1. What a report or a review holds is
// the browser tests' (analysis.test.mjs), which read it as the page does.
#include <gtest/gtest.h>

#include <string>

#include "BoardHost.h"
#include "PageJson.h"

namespace quintar::web {
namespace {

TEST(PageJson, TextsKeepEveryCharacterThroughEscapes) {
  EXPECT_EQ(JsonString("a \"quoted\" back\\slash"), R"("a \"quoted\" back\\slash")");
  EXPECT_EQ(JsonString("line\nend\ttab\x01"), R"("line\u000aend\u0009tab\u0001")");
  EXPECT_EQ(JsonString("naïve ×"), "\"naïve ×\"");
  EXPECT_EQ(JsonStrings({}), "[]");
  EXPECT_EQ(JsonStrings({"one", "two"}), R"(["one","two"])");
}

TEST(PageJson, CellsCountFromOneAndAWinListsItsFive) {
  EXPECT_EQ(JsonCell(vcl::TPoint{0, 4}), R"({"col":1,"row":5})");
  EXPECT_EQ(JsonCell(std::nullopt), "null");

  class : public TBoardListener {
    void Announced(const std::string&) override {}
    void Changed() override {}
    void PaceRequested(int) override {}
    void RepaintRequested() override {}
    void ThinkingRequested(std::uint32_t, const game::TThinkRequest&) override {}
  } Page;
  TBoardHost Host{Page};
  Host.SetAutoResponse(false);
  EXPECT_EQ(WinCellsJson(Host.Control()), "[]");
  EXPECT_EQ(AnalysisJson(Host.Table()), "null");
  EXPECT_EQ(ReviewJson(Host.Table()), "null");
  for (int Move = 0; Move < 9; ++Move) Host.Table().Move(Move / 2 + 1, Move % 2 == 0 ? 1 : 3);
  EXPECT_EQ(WinCellsJson(Host.Control()),
            R"([{"col":5,"row":1},{"col":4,"row":1},{"col":3,"row":1},{"col":2,"row":1},{"col":1,"row":1}])");
}

}  // namespace
}  // namespace quintar::web
