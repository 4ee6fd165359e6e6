// Keys and mouse presses out of the bytes a terminal sends.
#include <gtest/gtest.h>

#include "InputDecoder.h"

namespace quintar::terminal {
namespace {

using TKind = TInputEvent::TKind;

std::vector<TInputEvent> Decode(std::string_view Bytes) {
  TInputDecoder Decoder;
  std::vector<TInputEvent> Events;
  for (const char Byte : Bytes) Decoder.Feed(Byte, Events);
  return Events;
}

std::string Typed(std::string_view Bytes) {
  std::string Text;
  for (const TInputEvent& Event : Decode(Bytes))
    Text +=
        Event.Kind == TKind::Character ? std::string(1, Event.Character) : "<" + std::to_string(int(Event.Kind)) + ">";
  return Text;
}

TEST(InputDecoder, KeysOfTheCommandLine) {
  EXPECT_EQ(Typed("8 9\r"), "8 9<1>");
  EXPECT_EQ(Typed("a\x7f"
                  "b\b\n"),
            "a<2>b<2><1>");
  EXPECT_EQ(Typed("\x15\x03\x04\x1a"), "<3><4><5><6>");
  EXPECT_EQ(Typed("\t\x01"
                  "z"),
            "z");                                  // neither printable nor a key the game knows
  EXPECT_EQ(Typed("jos\xc3\xa9"), "jos\xc3\xa9");  // a name beyond ASCII, byte by byte
}

TEST(InputDecoder, SwallowsSequencesItHasNoUseFor) {
  EXPECT_EQ(Typed("\x1b[A\x1b[1;5C\x1bOP\x1b[200~x"), "x");
  EXPECT_EQ(Typed("\x1b[5~\x1b[6~\x1b[15~\x1b[25~"), "<8><9>");    // Page Up and Down kept, F5 and F13 not
  EXPECT_EQ(Typed("\x1bx"), "x");                                  // a lone Escape key
  EXPECT_EQ(Typed("\x1b[" + std::string(1000, '1') + "~y"), "y");  // overlong, still swallowed whole
  EXPECT_EQ(Typed("\x1b[12\x03z"), "<4>z");                        // broken off by a control key
  EXPECT_EQ(Typed("\x1bOMk"), "k");                                // keypad Enter is no mouse report
}

TEST(InputDecoder, AnEscapeKeyAloneLeavesTheNextKeyTyped) {
  TInputDecoder Decoder;
  std::vector<TInputEvent> Events;
  Decoder.Feed('\x1b', Events);
  Decoder.EndOfBurst(Events);
  for (const char Byte : std::string_view("Op")) Decoder.Feed(Byte, Events);
  ASSERT_EQ(Events.size(), 3u);
  EXPECT_EQ(Events[0].Kind, TKind::Escape);
  EXPECT_EQ(Events[1].Character, 'O');
}

TEST(InputDecoder, MousePressesInTheSgrForm) {
  const std::vector<TInputEvent> Events = Decode("\x1b[<0;10;4M\x1b[<0;10;4m\x1b[<2;1;1M\x1b[<17;5;6M");
  ASSERT_EQ(Events.size(), 3u);
  EXPECT_EQ(Events[0].Kind, TKind::MousePress);
  EXPECT_EQ(Events[0].Button, vcl::mbLeft);
  EXPECT_EQ(Events[0].X, 9);
  EXPECT_EQ(Events[0].Y, 3);
  EXPECT_TRUE(Events[0].Shift.test(vcl::ssLeft));
  EXPECT_EQ(Events[1].Button, vcl::mbRight);
  EXPECT_EQ(Events[1].X, 0);
  EXPECT_EQ(Events[2].Button, vcl::mbMiddle);
  EXPECT_TRUE(Events[2].Shift.test(vcl::ssCtrl));
  EXPECT_FALSE(Events[2].Shift.test(vcl::ssShift));
}

TEST(InputDecoder, IgnoresReleasesMotionWheelAndBrokenReports) {
  EXPECT_TRUE(Decode("\x1b[<35;3;3M\x1b[<64;3;3M\x1b[<65;3;3M\x1b[<3;3;3M").empty());
  EXPECT_TRUE(Decode("\x1b[<0;3M\x1b[<0;3;3;3M\x1b[<;3;3M\x1b[<0;0;3M\x1b[<0;99999999999;3M").empty());
}

TEST(InputDecoder, MousePressesInTheOlderForm) {
  const std::vector<TInputEvent> Events = Decode(std::string("\x1b[M") + char(32 + 0) + char(32 + 7) + char(32 + 2) +
                                                 "\x1b[M" + char(32 + 3) + char(40) + char(40) + "q");
  ASSERT_EQ(Events.size(), 2u);
  EXPECT_EQ(Events[0].Kind, TKind::MousePress);
  EXPECT_EQ(Events[0].X, 6);
  EXPECT_EQ(Events[0].Y, 1);
  EXPECT_EQ(Events[1].Character, 'q');
}

}  // namespace
}  // namespace quintar::terminal
