#include "Phrasebook.h"

#include <array>

namespace quintar::game {

TPhrasebook::TPhrasebook(TTranslation Translation) : FTranslation(std::move(Translation)) {}

std::string TPhrasebook::Word(std::string_view English) const {
  return FTranslation ? FTranslation(English, std::nullopt) : std::string(English);
}

std::string TPhrasebook::Say(std::string_view Pattern, std::initializer_list<std::string> Blanks) const {
  return Fill(Word(Pattern), Blanks);
}

std::string TPhrasebook::Count(std::string_view Singular, std::string_view Plural, std::size_t Count,
                               std::initializer_list<std::string> Blanks) const {
  std::string Translated = FTranslation ? FTranslation(Plural, Count) : std::string(Plural);
  if (Translated == Plural && Count == 1) Translated = Singular;
  for (std::size_t At; (At = Translated.find("%n")) != std::string::npos;)
    Translated.replace(At, 2, std::to_string(Count));
  return Fill(Translated, Blanks);
}

std::string TPhrasebook::Fill(std::string_view Translated, std::initializer_list<std::string> Blanks) const {
  std::string Said;
  Said.reserve(Translated.size());
  for (std::size_t I = 0; I < Translated.size(); ++I) {
    const char Next = I + 1 < Translated.size() ? Translated[I + 1] : '\0';
    const auto Blank = static_cast<std::size_t>(Next - '1');
    if (Translated[I] == '%' && Next >= '1' && Blank < Blanks.size()) {
      Said += *(Blanks.begin() + Blank);
      ++I;
    } else {
      Said += Translated[I];
    }
  }
  return Said;
}

std::string TPhrasebook::Where(vcl::TPoint Cell) const {
  return Say("column %1, row %2", {std::to_string(Cell.X + 1), std::to_string(Cell.Y + 1)});
}

std::string TPhrasebook::LevelWord(TLevel Level) const { return Word(LevelName(Level)); }

std::string TPhrasebook::PlayerName(const TPlayer& Player) const {
  if (Player.Kind == TPlayerKind::Person) return Word("a person");
  return Say("the computer (%1)", {LevelWord(Player.Level)});
}

// Against the computer the person is "you"; between two people the side
// alone says whose move it is.
std::string TPhrasebook::Turn(const TGameSession& Session) const {
  if (const std::optional<TGameResult> Ended = Session.Result()) return Result(*Ended);
  const int Side = Session.Control().Turn();
  const TPlayer Mover = Session.Player(Side);
  const TPlayer Other = Session.Player(-Side);
  const std::string_view Pattern = Side == 1 ? "Crosses to move: %1." : "Noughts to move: %1.";
  if (Mover.Kind == TPlayerKind::Computer) return Say(Pattern, {PlayerName(Mover)});
  if (Other.Kind == TPlayerKind::Computer) return Say(Pattern, {Word("you")});
  return Say(Side == 1 ? "Crosses to move." : "Noughts to move.");
}

std::string TPhrasebook::Move(const TMoveEntry& Move) const {
  const bool Cross = Move.Side == 1;
  if (Move.By == TPlayerKind::Computer)
    return Say(Cross ? "Cross by %1 on %2." : "Nought by %1 on %2.",
               {PlayerName({TPlayerKind::Computer, Move.Level}), Where(Move.Cell)});
  return Say(Cross ? "Cross on %1." : "Nought on %1.", {Where(Move.Cell)});
}

std::string TPhrasebook::Result(const TGameResult& Result) const {
  if (Result.Winner == 0) return Say("Draw: the board is full.");
  const bool Crosses = Result.Winner == 1;
  if (Result.By == TPlayerKind::Computer)
    return Say(Crosses ? "Crosses won: %1." : "Noughts won: %1.", {PlayerName({TPlayerKind::Computer, Result.Level})});
  if (Result.AgainstComputer) return Say(Crosses ? "Crosses won: %1." : "Noughts won: %1.", {Word("you")});
  return Say(Crosses ? "Crosses won." : "Noughts won.");
}

std::string TPhrasebook::NewGame() const { return Say("New game: crosses move first."); }

std::string TPhrasebook::Thinking(TLevel Level) const {
  return Say("The computer (%1) is thinking.", {LevelWord(Level)});
}

std::string TPhrasebook::Hint(vcl::TPoint Cell) const { return Say("Hint: %1.", {Where(Cell)}); }

std::string TPhrasebook::Hint(vcl::TPoint Cell, const THintReason& Why) const {
  const std::string At = Where(Cell);
  const auto Moves = static_cast<std::size_t>(Why.MovesToFive);
  switch (Why.Kind) {
    case hkMakesFive: return Say("Hint: %1 makes five.", {At});
    case hkMakesOpenFour: return Say("Hint: %1 makes an open four.", {At});
    case hkStartsWinByFours:
      return Count("Hint: %1 starts a win in %n move.", "Hint: %1 starts a win in %n moves.", Moves, {At});
    case hkBlocksFive: return Say("Hint: %1 blocks a five.", {At});
    case hkBlocksOpenFour: return Say("Hint: %1 stops an open four.", {At});
    case hkBlocksWinByFours:
      return Count("Hint: %1 stops a win in %n move.", "Hint: %1 stops a win in %n moves.", Moves, {At});
    case hkMakesOpenThree: return Say("Hint: %1 makes an open three.", {At});
    case hkBlocksOpenThree: return Say("Hint: %1 stops an open three.", {At});
    case hkBestFound: break;
  }
  return Hint(Cell);
}

std::string TPhrasebook::NoHint() const { return Say("No hint: the game is over."); }

std::string TPhrasebook::Refusal(TRefusal Why) const {
  static constexpr std::array<std::string_view, 9> Patterns = {
      "That cell is taken.",      "That cell is off the board.", "The game is over.",
      "The board is locked.",     "Nothing to take back.",       "Nothing to play again.",
      "The computer is to move.", "The board takes no presses.", "A board is 5 to 50 cells a side; the game goes on.",
  };
  return Say(Patterns[static_cast<std::size_t>(Why)]);
}

std::string TPhrasebook::TakenBack(std::size_t Moves) const {
  return Count("Took back %n move.", "Took back %n moves.", Moves);
}

std::string TPhrasebook::PlayedAgain(std::size_t Moves) const {
  return Count("Played %n move again.", "Played %n moves again.", Moves);
}

std::string TPhrasebook::Phrase(TPhrase Which) const {
  static constexpr std::array<std::string_view, 16> Phrases = {
      "Five in a row. Crosses move first; the first to get five marks in an unbroken line, across, down or "
      "diagonally, wins.",
      "Quintar is five in a row against the computer or another person, on a board of 5 to 50 cells a side. "
      "The computer plays at four levels, from low to expert, gives hints, and takes moves back.",
      "Five-in-a-row board",
      "The last game goes on.",
      "The game in progress will be lost.",
      "Do you want to discard it?",
      "Don't ask again",
      "Space plays it.",
      "The board is unlocked.",
      "the file is larger than any game record",
      "it is a pipe or a device, not a stored file",
      "Nothing to review: no move has been made.",
      "The computer could not think of a move; ask it to move again.",
      "The computer could not think of a hint; ask again.",
      "The computer moves when asked.",
      "Nothing to analyse: the game is over.",
  };
  // One sentence for each phrase, the last included.
  static_assert(Phrases.size() == static_cast<std::size_t>(TPhrase::NothingToAnalyse) + 1);
  static_assert(!Phrases.back().empty());
  return Say(Phrases[static_cast<std::size_t>(Which)]);
}

std::string TPhrasebook::TerminalPhrase(TTerminalPhrase Which) const {
  static constexpr std::array<std::string_view, 22> Phrases = {
      "The game in progress will be lost: type the same again to discard it, or play on.",
      "It is marked <+> on the board.",
      "Type new to play again.",
      "Type lock off to play on.",
      "The computer answers every move.",
      "The computer waits: type computer to let it move.",
      "Clicks do not play: type the column and row.",
      "Type a column and a row (8 9), or click a cell. Type help for the commands.",
      "Type a column and a row (8 9). Type help for the commands.",
      "Play a cell by typing its column and row (8 9 or 8,9), or click it.",
      "Games: new, size W H (5 to 50 each), save FILE, open FILE (.psq records).",
      "Who plays: players person|computer person|computer (crosses, then noughts).",
      "The computer: strength low|medium|high|expert, auto on|off, computer (move now).",
      "Also: undo, redo, hint, lock on|off, help, quit.",
      "The computer explains: analyse (its best moves, with their lines), review (every move of the game judged).",
      "A move is a column and a row, for example 8 9.",
      "Usage: size W H, for example size 15 15.",
      "Usage: strength low, medium, high or expert.",
      "Usage: players person computer (crosses, then noughts; each person or computer).",
      "That line is too long to be a command.",
      "Type review to see every move judged.",
      "Taken back, for redo to play again:",
  };
  static_assert(Phrases.size() == static_cast<std::size_t>(TTerminalPhrase::TakenBackFollow) + 1);
  static_assert(!Phrases.back().empty());
  return Say(Phrases[static_cast<std::size_t>(Which)]);
}

// English says "an" before the sizes spoken with a vowel first: 8, 11, 18.
std::string TPhrasebook::BoardSize(int ColCount, int RowCount) const {
  const bool Vowel = ColCount == 8 || ColCount == 11 || ColCount == 18;
  return Say(Vowel ? "an %1 × %2 board" : "a %1 × %2 board", {std::to_string(ColCount), std::to_string(RowCount)});
}

std::string TPhrasebook::NewBoard(int ColCount, int RowCount) const {
  return Say("New game on %1.", {BoardSize(ColCount, RowCount)});
}

std::string TPhrasebook::Opened(std::string_view Name, int ColCount, int RowCount, std::size_t Moves) const {
  const std::string Size = BoardSize(ColCount, RowCount);
  if (Name.empty()) return Count("Opened a game: %1, %n move.", "Opened a game: %1, %n moves.", Moves, {Size});
  return Count("Opened %2: %1, %n move.", "Opened %2: %1, %n moves.", Moves, {Size, std::string(Name)});
}

std::string TPhrasebook::Saved(std::string_view Name, std::size_t Moves) const {
  if (Name.empty()) return Count("Saved %n move.", "Saved %n moves.", Moves);
  return Count("Saved %n move to %1.", "Saved %n moves to %1.", Moves, {std::string(Name)});
}

std::string TPhrasebook::CannotOpen(std::string_view Name, std::string_view Reason) const {
  return Say("Cannot open %1 as a game: %2. The game goes on.", {std::string(Name), std::string(Reason)});
}

std::string TPhrasebook::CannotSave(std::string_view Name, std::string_view Reason) const {
  return Say("Cannot save the game as %1: %2.", {std::string(Name), std::string(Reason)});
}

std::string TPhrasebook::KeptGameSetAside(std::string_view Reason, std::string_view SetAsideAs) const {
  return Say("The last game could not be read (%1); it was set aside as %2.",
             {std::string(Reason), std::string(SetAsideAs)});
}

std::string TPhrasebook::EarlierGameSetAside(std::string_view SetAsideAs) const {
  return Say("The game another copy kept while this one ran was set aside as %1.", {std::string(SetAsideAs)});
}

std::string TPhrasebook::Strength(TLevel Level) const { return Say("Strength: %1.", {LevelWord(Level)}); }

std::string TPhrasebook::Players(const TPlayer& Crosses, const TPlayer& Noughts) const {
  return Say("Crosses: %1; noughts: %2.", {PlayerName(Crosses), PlayerName(Noughts)});
}

std::string TPhrasebook::CellContents(vcl::TPoint Cell, int Mark) const {
  const std::string_view Contents = Mark == 1 ? "cross" : Mark == -1 ? "nought" : "empty";
  return Say("Column %1, row %2, %3.", {std::to_string(Cell.X + 1), std::to_string(Cell.Y + 1), Word(Contents)});
}

std::string TPhrasebook::FileUsage(std::string_view Command) const {
  return Say("Usage: %1 FILE, for example %1 game.psq.", {std::string(Command)});
}

std::string TPhrasebook::SwitchUsage(std::string_view Command) const {
  return Say("Usage: %1 on or %1 off.", {std::string(Command)});
}

std::string TPhrasebook::TakesNothingAfter(std::string_view Command) const {
  return Say("\"%1\" takes nothing after it.", {std::string(Command)});
}

std::string TPhrasebook::UnknownCommand(std::string_view Word) const {
  return Say("Unknown command \"%1\": type help for the list.", {std::string(Word)});
}

std::string TPhrasebook::WindowTooSmall(int Columns, int Lines, int NeededColumns, int NeededLines) const {
  return Say(
      "The window is %1 × %2; this board needs %3 × %4. Make the window larger, or type size with smaller "
      "numbers.",
      {std::to_string(Columns), std::to_string(Lines), std::to_string(NeededColumns), std::to_string(NeededLines)});
}

std::string TPhrasebook::ReadingGuide(int First, int Last, int Total) const {
  if (First <= 1 && Last >= Total) return Say("Esc or typing: back to the board.");
  const std::initializer_list<std::string> Shown = {std::to_string(First), std::to_string(Last), std::to_string(Total)};
  if (Last < Total) return Say("Lines %1–%2 of %3. Space: more; Esc or typing: back to the board.", Shown);
  return Say("Lines %1–%2 of %3. Page Up: back; Esc or typing: back to the board.", Shown);
}

std::string TPhrasebook::StatusLine(std::string_view Status, std::string_view Players, int ColCount,
                                    int RowCount) const {
  return Say("%1 %2 Board %3 × %4.",
             {std::string(Status), std::string(Players), std::to_string(ColCount), std::to_string(RowCount)});
}

// ---- What the computer found ---------------------------------------------------

std::string TPhrasebook::Line(const std::vector<TBoardCell>& Cells) const {
  std::string Said;
  for (const TBoardCell& Cell : Cells) {
    if (!Said.empty())
      Said = Say("%1, then %2", {Said, Where({Cell.Col, Cell.Row})});
    else
      Said = Where({Cell.Col, Cell.Row});
  }
  return Said;
}

// A proven result names the winner and its length; anything else says who is
// ahead by how much, and the best move.
std::string TPhrasebook::Analysis(const TAnalysis& Report) const {
  if (Report.Lines.empty()) return Say("No move is left.");
  const TCandidateLine& Best = Report.Lines.front();
  const bool MoverCrosses = Report.Turn == 1;
  const std::string BestCell = Where({Best.Cell.Col, Best.Cell.Row});
  if (Best.Outcome == ocWin) {
    // The first moves of the line, enough to play it from the board; words,
    // not an ellipsis, say it goes on, which the sentence's full stop ends.
    std::vector<TBoardCell> Shown(Best.Line.begin(), Best.Line.begin() + std::min<std::size_t>(Best.Line.size(), 3));
    const std::string Opening = Line(Shown) + (Best.Line.size() > Shown.size() ? Word(", and so on") : std::string());
    return Count(MoverCrosses ? "Crosses win in %n move: %1." : "Noughts win in %n move: %1.",
                 MoverCrosses ? "Crosses win in %n moves: %1." : "Noughts win in %n moves: %1.",
                 static_cast<std::size_t>(Best.MovesToFive), {Opening});
  }
  if (Best.Outcome == ocLoss)
    return Count(
        MoverCrosses ? "Crosses lose in %n move whatever they play." : "Noughts lose in %n move whatever they play.",
        MoverCrosses ? "Crosses lose in %n moves whatever they play." : "Noughts lose in %n moves whatever they play.",
        static_cast<std::size_t>(Best.MovesToFive));
  const bool MoverAhead = Best.Advantage.Value >= 0;
  const bool CrossesAhead = MoverAhead == MoverCrosses;
  switch (Best.Advantage.Standing) {
    case sdEven: return Say("About even. Best: %1.", {BestCell});
    case sdAhead:
      return Say(CrossesAhead ? "Crosses are ahead. Best: %1." : "Noughts are ahead. Best: %1.", {BestCell});
    case sdWellAhead:
      return Say(CrossesAhead ? "Crosses are well ahead. Best: %1." : "Noughts are well ahead. Best: %1.", {BestCell});
    case sdWinning: break;
  }
  return Say(CrossesAhead ? "Crosses are winning. Best: %1." : "Noughts are winning. Best: %1.", {BestCell});
}

// What a candidate is worth, to follow its cell: "crosses win in 5 moves",
// "noughts are well ahead", "about even".
std::string TPhrasebook::Worth(const TCandidateLine& Candidate, int Turn) const {
  const bool MoverCrosses = Turn == 1;
  const auto Moves = static_cast<std::size_t>(Candidate.MovesToFive);
  if (Candidate.Outcome == ocWin)
    return Count(MoverCrosses ? "crosses win in %n move" : "noughts win in %n move",
                 MoverCrosses ? "crosses win in %n moves" : "noughts win in %n moves", Moves);
  if (Candidate.Outcome == ocLoss)
    return Count(MoverCrosses ? "crosses lose in %n move" : "noughts lose in %n move",
                 MoverCrosses ? "crosses lose in %n moves" : "noughts lose in %n moves", Moves);
  const bool CrossesAhead = (Candidate.Advantage.Value >= 0) == MoverCrosses;
  switch (Candidate.Advantage.Standing) {
    case sdEven: return Word("about even");
    case sdAhead: return Word(CrossesAhead ? "crosses are ahead" : "noughts are ahead");
    case sdWellAhead: return Word(CrossesAhead ? "crosses are well ahead" : "noughts are well ahead");
    case sdWinning: break;
  }
  return Word(CrossesAhead ? "crosses are winning" : "noughts are winning");
}

std::string TPhrasebook::Candidate(const TCandidateLine& Candidate, int Turn) const {
  const std::string At = Where({Candidate.Cell.Col, Candidate.Cell.Row});
  const std::vector<TBoardCell> Rest(Candidate.Line.begin() + std::min<std::size_t>(Candidate.Line.size(), 1),
                                     Candidate.Line.end());
  if (Rest.empty()) return Say("%1: %2.", {At, Worth(Candidate, Turn)});
  return Say("%1: %2; then %3.", {At, Worth(Candidate, Turn), Line(Rest)});
}

std::string TPhrasebook::JudgementWord(TJudgement Judgement) const {
  static constexpr std::array<std::string_view, JudgementCount> Words = {
      "best", "good", "an inaccuracy", "a mistake", "a missed win", "a win let through",
  };
  return Word(Words[static_cast<std::size_t>(Judgement)]);
}

std::string TPhrasebook::ReviewProgress(std::size_t Judged, std::size_t Moves) const {
  return Count("Reviewing the game: %1 of %n move judged.", "Reviewing the game: %1 of %n moves judged.", Moves,
               {std::to_string(Judged)});
}

std::string TPhrasebook::Judgement(std::size_t Index, const TMoveReview& Move) const {
  const std::string Number = std::to_string(Index + 1);
  const std::string Played = Say(Move.Side == 1 ? "cross on %1" : "nought on %1", {Where(Move.Cell)});
  const std::string Verdict = JudgementWord(Move.Judgement);
  if (!Move.Better) return Say("Move %1, %2: %3.", {Number, Played, Verdict});
  const std::string Better = Where(*Move.Better);
  switch (Move.Judgement) {
    case TJudgement::MissedWin: return Say("Move %1, %2: %3; %4 won.", {Number, Played, Verdict, Better});
    case TJudgement::LetWinThrough: return Say("Move %1, %2: %3; %4 held.", {Number, Played, Verdict, Better});
    default: return Say("Move %1, %2: %3; %4 was better.", {Number, Played, Verdict, Better});
  }
}

std::string TPhrasebook::ReviewSummary(int Side, const TSideSummary& Summary) const {
  const auto Counted = [&](TJudgement Judgement, std::string_view Singular, std::string_view Plural) {
    return Count(Singular, Plural, static_cast<std::size_t>(Summary.Counts[static_cast<std::size_t>(Judgement)]));
  };
  const std::string Counts =
      Say("%1, %2, %3",
          {Counted(TJudgement::Best, "%n best", "%n best"), Counted(TJudgement::Good, "%n good", "%n good"),
           Counted(TJudgement::Inaccuracy, "%n inaccuracy", "%n inaccuracies")}) +
      Say(", %1, %2, %3", {Counted(TJudgement::Mistake, "%n mistake", "%n mistakes"),
                           Counted(TJudgement::MissedWin, "%n missed win", "%n missed wins"),
                           Counted(TJudgement::LetWinThrough, "%n win let through", "%n wins let through")});
  const std::string_view Pattern = Side == 1 ? "Crosses: %1." : "Noughts: %1.";
  if (!Summary.TurningPoint) return Say(Pattern, {Counts});
  return Say(Side == 1 ? "Crosses: %1; the turning point was move %2." : "Noughts: %1; the turning point was move %2.",
             {Counts, std::to_string(*Summary.TurningPoint + 1)});
}

}  // namespace quintar::game
