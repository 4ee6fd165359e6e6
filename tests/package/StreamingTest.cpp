// Storing a control's published settings as text and reading them back, as a
// form does: what is written, round trips, and bad text refused whole.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "Quintar.h"
#include "Streaming.h"

namespace quintar {
namespace {

const vcl::TComponentClass& Class = TQuintar::ClassInfo();

// Every published value that a form stores, as text.
std::string SettingsOf(const TQuintar& Board) {
  std::string Text;
  for (const vcl::TPropertyInfo& Property : Class.Properties)
    if (!Property.IsEvent()) Text += Property.Name + "=" + vcl::PropertyText(Board, Property) + ";";
  return Text;
}

TEST(Streaming, AFreshControlWritesNothingButItsClass) {
  TQuintar Board(nullptr);
  EXPECT_EQ(vcl::WriteComponentText(Board, Class), "object TQuintar\nend\n");
  Board.SetName("Board1");
  EXPECT_EQ(vcl::WriteComponentText(Board, Class), "object Board1: TQuintar\nend\n");
  Board.SetName("not a name");
  EXPECT_EQ(vcl::WriteComponentText(Board, Class), "object TQuintar\nend\n");
}

TEST(Streaming, OnlyChangedValuesAreWrittenInDeclarationOrder) {
  TQuintar Board(nullptr);
  Board.SetName("Board1");
  Board.SetVisible(false);
  Board.SetLock(true);
  Board.SetColCount(15);
  Board.SetNoughtColor(0x123456);
  Board.SetCrossColor(vcl::clLime);
  Board.SetPlayingStrength(stLow);
  Board.SetRowCount(20);  // set, but to the default
  EXPECT_EQ(vcl::WriteComponentText(Board, Class),
            "object Board1: TQuintar\n"
            "  CrossColor = clLime\n"
            "  NoughtColor = $00123456\n"
            "  ColCount = 15\n"
            "  PlayingStrength = stLow\n"
            "  Lock = True\n"
            "  Visible = False\n"
            "end\n");
}

TEST(Streaming, GameOverAndEventsAreNeverWritten) {
  TQuintar Board(nullptr);
  Board.SetAutoResponse(false);
  Board.OnLegalMove = [](vcl::TObject*) {};
  for (int Col = 1; Col <= 5; ++Col) {
    Board.Move(Col, 1);
    if (Col < 5) Board.Move(Col, 2);
  }
  ASSERT_TRUE(Board.GameOver());
  EXPECT_EQ(vcl::WriteComponentText(Board, Class), "object TQuintar\n  AutoResponse = False\nend\n");
}

TEST(Streaming, WhatIsWrittenReadsBackTheSame) {
  TQuintar Source(nullptr);
  Source.SetName("Game_2");
  Source.SetColor(vcl::clSilver);
  Source.SetGridLineColor(-1);
  Source.SetHighlightColor(0x7F000001);
  Source.SetQuintarColor(vcl::clAqua);
  Source.SetColCount(50);
  Source.SetRowCount(5);
  Source.SetPlayingStrength(stMedium);
  Source.SetAutoResponse(false);
  Source.SetClickResponse(false);
  Source.SetShowHighlight(false);
  Source.SetShowQuintar(false);
  Source.SetAlign(vcl::alClient);
  const std::string Text = vcl::WriteComponentText(Source, Class);
  TQuintar Copy(nullptr);
  ASSERT_EQ(vcl::ReadComponentText(Copy, Class, Text), "") << Text;
  EXPECT_EQ(SettingsOf(Copy), SettingsOf(Source));
  EXPECT_EQ(Copy.Name(), "Game_2");
  EXPECT_EQ(vcl::WriteComponentText(Copy, Class), Text);
}

TEST(Streaming, ReadingIsForgivingAboutLayoutAndCase) {
  TQuintar Board(nullptr);
  const std::string Text =
      "\r\n"
      "OBJECT   board : tquintar\r\n"
      "\tcolcount=7\r\n"
      "\n"
      "  CROSSCOLOR   =   clblue  \r\n"
      "END\r\n"
      "\n";
  ASSERT_EQ(vcl::ReadComponentText(Board, Class, Text), "");
  EXPECT_EQ(Board.Name(), "board");
  EXPECT_EQ(Board.ColCount(), 7);
  EXPECT_EQ(Board.CrossColor(), vcl::clBlue);
  // Without a name in the text, the component keeps its own.
  ASSERT_EQ(vcl::ReadComponentText(Board, Class, "object TQuintar\nend"), "");
  EXPECT_EQ(Board.Name(), "board");
}

TEST(Streaming, ValuesAreSetThroughTheSettersInTheOrderWritten) {
  TQuintar Board(nullptr);
  ASSERT_EQ(vcl::ReadComponentText(Board, Class, "object TQuintar\n  RowCount = 99\n  ColCount = 2\nend\n"), "");
  EXPECT_EQ(Board.RowCount(), 50);  // clamped, as every write is
  EXPECT_EQ(Board.ColCount(), 5);
}

TEST(Streaming, BadTextIsRefusedNamingTheLineAndChangesNothing) {
  using namespace std::string_view_literals;
  const struct {
    std::string_view Text;
    const char* Error;
  } Refusals[] = {
      {"", "line 1: expected \"object\" and the class name"},
      {"\n\n", "line 3: expected \"object\" and the class name"},
      {"thing TQuintar\nend\n", "line 1: expected \"object\" and the class name, not \"thing TQuintar\""},
      {"object\nend\n", "line 1: expected the class name after \"object\""},
      {"object B:\nend\n", "line 1: expected the class name after \":\""},
      {"object B: TQuintar extra\nend\n", "line 1: unexpected \"extra\" after the class name"},
      {"object TButton\nend\n", "line 1: the text describes a TButton, not a TQuintar"},
      {"object TQuintar\n  ColCount = 9\n", "line 3: the text ends before the \"end\" of the object on line 1"},
      {"object TQuintar\n  ColCount = 9\n  Colour = clRed\nend\n", "line 3: unknown property \"Colour\" of TQuintar"},
      {"object TQuintar\n  ColCount = 9\n  ColCount = 8\nend\n", "line 3: ColCount is set twice (first on line 2)"},
      {"object TQuintar\n  ColCount 9\nend\n", "line 2: expected \"=\" and a value after ColCount"},
      {"object TQuintar\n  = 9\nend\n", "line 2: expected a property name, \"=\" and a value, not \"= 9\""},
      {"object TQuintar\n  ColCount = nine\nend\n",
       "line 2: \"nine\" is not a valid Integer for ColCount (expected a whole number)"},
      {"object TQuintar\n  ColCount =\nend\n", "line 2: \"\" is not a valid Integer for ColCount"},
      {"object TQuintar\n  GameOver = True\nend\n", "line 2: GameOver is read-only"},
      {"object TQuintar\n  OnClick = Board1Click\nend\n", "line 2: OnClick is an event: only a program can assign it"},
      {"object TQuintar\n  object Inner: TQuintar\n  end\nend\n",
       "line 2: an object inside an object is not supported"},
      {"object TQuintar\nend\nobject TQuintar\n", "line 3: unexpected \"object TQuintar\" after the end of the object"},
      {"object TQuintar\n  Lock = Tr\xC3\xBC"
       "e\nend\n",
       "line 2: unexpected byte 0xC3"},
      {"object TQuintar\n  Lock = True\0\nend\n"sv, "line 2: unexpected byte 0x00"},
  };
  TQuintar Board(nullptr);
  Board.SetName("Kept");
  Board.SetAutoResponse(false);
  Board.Move(3, 3);
  const std::string Before = SettingsOf(Board);
  for (const auto& Refusal : Refusals) {
    const std::string Error = vcl::ReadComponentText(Board, Class, Refusal.Text);
    EXPECT_EQ(Error.rfind(Refusal.Error, 0), 0u) << Error;
  }
  EXPECT_EQ(SettingsOf(Board), Before);
  EXPECT_EQ(Board.Name(), "Kept");
  EXPECT_EQ(Board.Cell(2, 2), 1);  // no count setter ran: the game goes on
}

TEST(Streaming, LongLinesAreRefusedAndTheComponentMustBeOfTheClass) {
  TQuintar Board(nullptr);
  const std::string Long = "object TQuintar\n  ColCount = " + std::string(300, '1') + "\nend\n";
  EXPECT_EQ(vcl::ReadComponentText(Board, Class, Long), "line 2: the line is longer than 256 characters");
  vcl::TComponent Plain(nullptr);
  EXPECT_EQ(vcl::ReadComponentText(Plain, Class, "object TQuintar\nend\n"), "the component is not a TQuintar");
}

TEST(Streaming, AnyBytesGiveAResultOrALineNumberedError) {
  TQuintar Sample(nullptr);
  Sample.SetColCount(12);
  Sample.SetCrossColor(vcl::clGreen);
  Sample.SetShowQuintar(false);
  const std::string Valid = vcl::WriteComponentText(Sample, Class);
  const auto Check = [](std::string_view Text) {
    std::string Error;
    const auto Parsed = vcl::ParseComponentText(Text, Class, Error);
    if (Parsed) {
      EXPECT_LE(Parsed->Assignments.size(), Class.Properties.size());
    } else {
      EXPECT_EQ(Error.rfind("line ", 0), 0u) << Error;
      EXPECT_EQ(Error.find('\n'), std::string::npos) << Error;
    }
  };
  for (std::size_t Length = 0; Length <= Valid.size(); ++Length) Check(std::string_view(Valid).substr(0, Length));
  std::mt19937 Random(7);
  for (int Round = 0; Round < 2000; ++Round) {
    std::string Text = Valid;
    for (int Change = 0; Change < 3; ++Change) Text[Random() % Text.size()] = static_cast<char>(Random());
    Check(Text);
  }
}

}  // namespace
}  // namespace quintar
