#include "Game.h"

#include <cstdlib>
#include <utility>

#include "BoardText.h"
#include "Expert.h"
#include "RecordFile.h"
#include "Review.h"
#include "Rules.h"
#include "Settings.h"
#include "TextUtil.h"

namespace quintar::terminal {
namespace {

template <typename... TVisitors>
struct TOverloaded : TVisitors... {
  using TVisitors::operator()...;
};
// Spelled out for compilers that do not yet deduce an aggregate's bases.
template <typename... TVisitors>
TOverloaded(TVisitors...) -> TOverloaded<TVisitors...>;

// Requests that play a cell, or ask the computer to: refused, they say how
// to go on.
bool AsksToPlay(const TCommand& Command) {
  return std::holds_alternative<TPlay>(Command) || std::holds_alternative<TComputerMove>(Command) ||
         std::holds_alternative<THint>(Command);
}

// What one analyse command spends: enough positions to see fours coming and
// to rank the best few moves, and never more than a second, so that the
// person at the prompt hardly waits.
constexpr TSearchBudget AnalysisBudget{1000, 300000, nullptr};

}  // namespace

TGame::TGame(int CellWidth, int CellHeight) : FCellWidth(CellWidth), FCellHeight(CellHeight), FTable(MakeTable()) {
  FitControl();
}

TGame::~TGame() = default;

std::unique_ptr<game::TGameTable> TGame::MakeTable() {
  return std::make_unique<game::TGameTable>(FControl, static_cast<game::TTableListener&>(*this), game::TThinking::Here);
}

void TGame::FitControl() {
  FControl.SetBounds(0, 0, FControl.ColCount() * FCellWidth, FControl.RowCount() * FCellHeight);
}

std::string TGame::Set(std::string_view Assignment) {
  FTable.reset();
  std::string Error = ApplySetting(FControl, Assignment);
  FTable = MakeTable();
  FitControl();
  return Error;
}

void TGame::Begin() {
  FReply = {};
  FShownBefore = BoardText(FControl, TColorDepth::None, Hint());
  FWasOver = FControl.GameOver();
}

TReply TGame::Finish(bool PlayRequest) {
  using game::TTerminalPhrase;
  if (FControl.GameOver()) {
    if (PlayRequest || !FWasOver) FReply.Advice = Words().TerminalPhrase(TTerminalPhrase::PlayAgain);
  } else if (PlayRequest && FControl.Lock()) {
    FReply.Advice = Words().TerminalPhrase(TTerminalPhrase::UnlockToPlay);
  } else if (PlayRequest && FTable->ComputerToMove() && FPaceDue == 0) {
    // An opened record, or a demonstration stepped back, waits to be read.
    FReply.Advice = Words().TerminalPhrase(TTerminalPhrase::ComputerWaits);
  }
  // A demonstration stops waiting once the computer is no longer to move:
  // a person took a side, or the board was locked.
  if (!FTable->ComputerToMove()) FPaceDue = 0;
  FReply.PositionChanged = BoardText(FControl, TColorDepth::None, Hint()) != FShownBefore;
  return std::exchange(FReply, {});
}

TReply TGame::Execute(const TCommand& Command) {
  Begin();
  FQuestionBefore = std::exchange(FQuestion, std::nullopt);
  Run(Command);
  return Finish(AsksToPlay(Command));
}

TReply TGame::Press(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) {
  Begin();
  FQuestion.reset();
  FTable->Press(Button, Shift, X, Y);
  TReply Reply = Finish(true);
  if (!FControl.ClickResponse()) Reply.Advice = Words().TerminalPhrase(game::TTerminalPhrase::ClicksDoNotPlay);
  return Reply;
}

TReply TGame::Continue() {
  Begin();
  FPaceDue = 0;
  FTable->Continue();
  return Finish(false);
}

void TGame::Run(const TCommand& Command) {
  std::visit(TOverloaded{
                 [](const TNothing&) {},
                 [this](const TPlay& Move) { FTable->Move(Move.Col, Move.Row); },
                 [this](const TNewGame&) {
                   if (!AskBeforeDiscarding("new")) FTable->NewGame();
                 },
                 [this](const TResize& Size) { Resize(Size); },
                 [this](const TSetStrength& Set) { SetStrength(Set.Level); },
                 [this](const TSetPlayers& Set) { SetPlayers(Set.Crosses, Set.Noughts); },
                 [this](const TSetAutoResponse& Set) { SetAutoResponse(Set.On); },
                 [this](const TComputerMove&) { FTable->ComputerMovesNow(); },
                 [this](const TUndo&) { FTable->Undo(); },
                 [this](const TRedo&) { FTable->Redo(); },
                 [this](const THint&) {
                   FTable->Hint();
                   if (Hint()) FReply.Advice = Words().TerminalPhrase(game::TTerminalPhrase::HintMarked);
                 },
                 [this](const TAnalyse&) { Analyse(); },
                 [this](const TReviewGame&) { Review(); },
                 [this](const TSave& File) { Save(WithHome(File.Path, HomeFolder())); },
                 [this](const TOpen& File) { Open(WithHome(File.Path, HomeFolder())); },
                 [this](const TSetLock& Set) { SetLock(Set.On); },
                 [this](const THelp&) {
                   for (const game::TTerminalPhrase Line : HelpLines) Say(Words().TerminalPhrase(Line));
                 },
                 [this](const TQuit&) { Quit(); },
                 [this](const TInvalid& Invalid) { Say(Explain(Invalid, Words())); },
             },
             Command);
}

void TGame::SeatQuietly(game::TPlayer Crosses, game::TPlayer Noughts) {
  FTable->SetHeld(true);
  FTable->SetPlayers(Crosses, Noughts);
  FTable->SetHeld(false);
}

// The level of both sides: the computer's, and that of hints and of
// "computer" on a person's side.
void TGame::SetStrength(TLevel Level) {
  SeatQuietly({FTable->Player(1).Kind, Level}, {FTable->Player(-1).Kind, Level});
  Say(Words().Strength(Level));
}

void TGame::SetPlayers(game::TPlayerKind Crosses, game::TPlayerKind Noughts) {
  const std::size_t Said = FReply.Lines.size();
  FTable->SetPlayers({Crosses, FTable->Player(1).Level}, {Noughts, FTable->Player(-1).Level});
  // The same players again: the table has nothing new to say, the person
  // still hears who plays.
  if (FReply.Lines.size() == Said) Say(FTable->PlayersWords());
}

// Said as any change of players is, with the advice after it.
void TGame::SetAutoResponse(bool On) {
  SetPlayers(game::TPlayerKind::Person, On ? game::TPlayerKind::Computer : game::TPlayerKind::Person);
  Say(Words().TerminalPhrase(On ? game::TTerminalPhrase::ComputerAnswers : game::TTerminalPhrase::ComputerWaits));
}

void TGame::SetLock(bool On) {
  const std::size_t Said = FReply.Lines.size();
  FTable->SetLock(On);
  if (FReply.Lines.size() == Said)
    Say(On ? Words().Refusal(game::TRefusal::Locked) : Words().Phrase(game::TPhrase::BoardUnlocked));
}

// A size the table refuses is refused at once, without asking first.
void TGame::Resize(const TResize& Size) {
  if (BoardSideFits(Size.Cols) && BoardSideFits(Size.Rows) &&
      AskBeforeDiscarding("size " + std::to_string(Size.Cols) + " " + std::to_string(Size.Rows)))
    return;
  FTable->SetBoardSize(Size.Cols, Size.Rows);
}

void TGame::Quit() {
  const std::string QuitRequest = "quit";
  // Not kept, a game saved since, or over, is not lost: it goes unasked.
  if (FKeepAtQuit && FQuestionBefore != QuitRequest) {
    if (std::string Error = FKeepAtQuit(); !Error.empty() && FTable->WouldDiscardGame()) {
      Say(std::move(Error));
      FQuestion = QuitRequest;
      return Say(Words().TerminalPhrase(game::TTerminalPhrase::DiscardAskAgain));
    }
  }
  FLeftWithoutKeeping = FKeepAtQuit && FQuestionBefore == QuitRequest;
  FReply.Quit = true;
}

bool TGame::AskBeforeDiscarding(std::string Request) {
  if (!FTable->WouldDiscardGame() || FQuestionBefore == Request) return false;
  FQuestion = std::move(Request);
  Say(Words().TerminalPhrase(game::TTerminalPhrase::DiscardAskAgain));
  return true;
}

void TGame::Save(const std::string& Path) {
  if (const std::string Error = WriteWholeFile(Path, FTable->SaveRecord()); !Error.empty())
    return Say(Words().CannotSave(EchoUtf8(Path), Error));
  FTable->Saved(EchoUtf8(Path));
}

// A file that cannot be read, or is no record, is said at once; only one
// that would open asks before it replaces a game in progress.
void TGame::Open(const std::string& Path) {
  const TFileText File = ReadRecordFile(Path, Words());
  if (!File.Error.empty()) return Say(Words().CannotOpen(EchoUtf8(Path), File.Error));
  if (const std::string Refused = FTable->RecordRefusal(File.Text); !Refused.empty())
    return Say(Words().CannotOpen(EchoUtf8(Path), Refused));
  if (AskBeforeDiscarding("open " + Path)) return;
  if (const std::string Refused = FTable->OpenRecord(File.Text, EchoUtf8(Path)); !Refused.empty())
    Say(Words().CannotOpen(EchoUtf8(Path), Refused));
}

void TGame::AnalysisRequested(std::uint32_t Serial, const std::optional<game::TThinkRequest>& Position) {
  if (Position)
    FAnalysisAsked = TAnalysisAsked{Serial, *Position};
  else
    FAnalysisAsked.reset();
}

// With no thread to analyse on, analysis is on for the length of the command:
// the one position the table asks about is analysed at once, its words read,
// and analysis turned off again.
void TGame::Analyse() {
  FTable->SetAnalysing(true);
  if (const std::optional<TAnalysisAsked> Asked = std::exchange(FAnalysisAsked, std::nullopt))
    FTable->AnalysisReported(Asked->Serial, FThinker.Analyse(Asked->Position, AnalysisBudget));
  if (FTable->Analysis()) {
    Say(FTable->AnalysisWords());
    for (std::string& Candidate : FTable->CandidateWords()) Say(std::move(Candidate));
    FReply.Listing = true;
  } else {
    Say(Words().TerminalPhrase(game::TTerminalPhrase::ReviewInstead));
  }
  FTable->SetAnalysing(false);
}

// A game already reviewed, and not changed since, is not judged again.
void TGame::Review() {
  if (!FTable->MayReview()) return;
  if (!FTable->Review()) {
    const game::TReviewRequest Request = FTable->ReviewRequest();
    const auto Progress = [this, Moves = Request.Moves.size()](std::size_t Judged) {
      if (FReviewProgress) FReviewProgress(Words().ReviewProgress(Judged, Moves));
    };
    FTable->Reviewed(Request, game::ReviewGame(Request, FThinker, DefaultReviewBudget(), Progress));
  }
  // The review covers the moves taken back too, for redo to bring back; a
  // line says where they begin, since the board no longer shows them.
  std::vector<std::string> Lines = FTable->ReviewWords();
  const std::size_t Judged = FTable->Review()->Moves.size();
  for (std::size_t Index = 0; Index < Lines.size(); ++Index) {
    if (Index == FTable->MovesMade() && Index < Judged)
      Say(Words().TerminalPhrase(game::TTerminalPhrase::TakenBackFollow));
    Say(std::move(Lines[Index]));
  }
  FReply.Listing = true;
}

std::string TGame::RestoreKeptGame(std::string_view Text, std::vector<std::string>& Said) {
  Begin();
  std::string Refused = FTable->RestoreKeptGame(Text);
  Said = std::exchange(FReply, {}).Lines;
  return Refused;
}

std::string TGame::Status() const {
  return Words().StatusLine(FTable->Status(), FTable->PlayersWords(), FControl.ColCount(), FControl.RowCount());
}

}  // namespace quintar::terminal
