// Events raised without copying their handler: a handler that replaces,
// clears or raises its own event, in any order and at any depth, keeps
// running on what it captured, and the handler it leaves behind is the one
// the event holds afterwards. Run under the address sanitizer, these catch a
// handler freed or moved while it still runs.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "Events.h"

namespace vcl {
namespace {

using TCountEvent = TEvent<void(int Depth)>;

// Captures more than fits a function object's own small buffer, so that a
// handler moved or freed while it runs would show.
struct TBulky {
  std::array<int, 16> Values{};
  std::string Name = "a name long enough to live on the heap, not in the string";
};

TEST(Events, AssignTestAndClearLikeAFunctionObject) {
  TCountEvent Event;
  EXPECT_FALSE(Event);
  int Heard = 0;
  Event = [&Heard](int Depth) { Heard += Depth; };
  EXPECT_TRUE(Event);
  Raise(Event, 3);
  Event(4);  // a direct call raises it too
  EXPECT_EQ(Heard, 7);
  Event = nullptr;
  EXPECT_FALSE(Event);
  Raise(Event, 5);  // nothing assigned: nothing happens
  Event(5);
  EXPECT_EQ(Heard, 7);
}

TEST(Events, CopiesAndMovesCarryTheHandler) {
  int Heard = 0;
  TCountEvent Original = [&Heard](int Depth) { Heard += Depth; };
  TCountEvent Copy = Original;
  TCountEvent Moved = std::move(Original);
  EXPECT_TRUE(Copy);
  EXPECT_TRUE(Moved);
  Raise(Copy, 1);
  Raise(Moved, 10);
  EXPECT_EQ(Heard, 11);
}

TEST(Events, TargetFindsTheHandlerOfItsType) {
  struct THook {
    int Tag;
    void operator()(int) const {}
  };
  TCountEvent Event = THook{7};
  ASSERT_NE(Event.target<THook>(), nullptr);
  EXPECT_EQ(Event.target<THook>()->Tag, 7);
  Event = [](int) {};
  EXPECT_EQ(Event.target<THook>(), nullptr);
}

TEST(Events, HandlerReplacingItselfFinishesOnWhatItCapturedAndTheNewOneStays) {
  TCountEvent Event;
  std::vector<std::string> Log;
  TBulky Bulk;
  Event = [&Event, &Log, Bulk](int) {
    Event = [&Log](int) { Log.push_back("second"); };
    EXPECT_TRUE(Event);
    Log.push_back(Bulk.Name);  // still this handler's captures
  };
  Raise(Event, 0);
  Raise(Event, 0);
  EXPECT_EQ(Log, (std::vector<std::string>{Bulk.Name, "second"}));
}

TEST(Events, HandlerClearingItselfFinishesAndLeavesTheEventEmpty) {
  TCountEvent Event;
  std::vector<std::string> Log;
  TBulky Bulk;
  Event = [&Event, &Log, Bulk](int) {
    Event = nullptr;
    EXPECT_FALSE(Event);
    Log.push_back(Bulk.Name);
    Raise(Event, 1);  // cleared: must not come back here
  };
  Raise(Event, 0);
  EXPECT_FALSE(Event);
  EXPECT_EQ(Log, (std::vector<std::string>{Bulk.Name}));
}

TEST(Events, HandlerRaisingItselfRecursivelyRunsAtEveryDepth) {
  TCountEvent Event;
  std::vector<int> Depths;
  TBulky Bulk;
  Event = [&Event, &Depths, Bulk](int Depth) {
    Depths.push_back(Depth + Bulk.Values[0]);
    if (Depth < 4) Raise(Event, Depth + 1);
  };
  Raise(Event, 0);
  EXPECT_EQ(Depths, (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_TRUE(Event);  // and it is still assigned afterwards
}

TEST(Events, AssigningDuringANestedRaiseOutlivesEveryRaiseUnwinding) {
  TCountEvent Event;
  std::vector<std::string> Log;
  TBulky Bulk;
  Event = [&Event, &Log, Bulk](int Depth) {
    if (Depth < 2) Raise(Event, Depth + 1);
    if (Depth == 2) Event = [&Log](int) { Log.push_back("replacement"); };
    Log.push_back(Bulk.Name + " " + std::to_string(Depth));
  };
  Raise(Event, 0);
  Raise(Event, 0);
  EXPECT_EQ(Log, (std::vector<std::string>{Bulk.Name + " 2", Bulk.Name + " 1", Bulk.Name + " 0", "replacement"}));
}

TEST(Events, ReplacementRaisedFromTheReplacedHandlerMayReplaceItselfToo) {
  TCountEvent Event;
  std::vector<std::string> Log;
  TBulky Bulk;
  Event = [&Event, &Log, Bulk](int) {
    Event = [&Event, &Log, Bulk](int) {
      Event = [&Log](int) { Log.push_back("third"); };
      Log.push_back("second " + Bulk.Name);
    };
    Raise(Event, 1);  // runs the second, which replaces itself
    Log.push_back("first " + Bulk.Name);
  };
  Raise(Event, 0);
  Raise(Event, 0);
  EXPECT_EQ(Log, (std::vector<std::string>{"second " + Bulk.Name, "first " + Bulk.Name, "third"}));
}

TEST(Events, ReplacingAndThenClearingDuringOneCallEndsEmpty) {
  TCountEvent Event;
  int Calls = 0;
  Event = [&Event, &Calls](int) {
    ++Calls;
    Event = [&Calls](int) { Calls += 100; };
    Event = nullptr;
  };
  Raise(Event, 0);
  Raise(Event, 0);
  EXPECT_EQ(Calls, 1);
  EXPECT_FALSE(Event);
}

TEST(Events, HandlerCopyingOrMovingItsOwnEventAwayKeepsWorkingEverywhere) {
  TCountEvent Event;
  TCountEvent Copied;
  TCountEvent Moved;
  int Calls = 0;
  TBulky Bulk;
  Event = [&, Bulk](int Depth) {
    Calls += 1 + Bulk.Values[1];
    if (Depth > 0) return;
    Copied = Event;
    Moved = std::move(Event);
    EXPECT_FALSE(Event);
  };
  Raise(Event, 0);
  Raise(Event, 1);  // moved away: nothing here
  Raise(Copied, 1);
  Raise(Moved, 1);
  EXPECT_EQ(Calls, 3);
}

TEST(Events, HandlerDestroyingItsEventFinishesSafely) {
  auto Event = std::make_unique<TCountEvent>();
  std::vector<std::string> Log;
  TBulky Bulk;
  *Event = [&Event, &Log, Bulk](int Depth) {
    if (Depth == 0) Raise(*Event, 1);
    if (Depth == 1) Event.reset();
    Log.push_back(Bulk.Name);
  };
  Raise(*Event, 0);
  EXPECT_EQ(Event, nullptr);
  EXPECT_EQ(Log.size(), 2u);
}

}  // namespace
}  // namespace vcl
