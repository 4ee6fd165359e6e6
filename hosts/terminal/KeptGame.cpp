#include "KeptGame.h"

#include <system_error>

#include "RecordFile.h"

namespace quintar::terminal {
namespace {

bool NameTaken(const std::string& Name) {
  std::error_code Unknown;
  return std::filesystem::exists(std::filesystem::symlink_status(Name, Unknown));
}

}  // namespace

std::filesystem::path KeptGamePath(const char* DataHome, const char* Home) {
  std::filesystem::path Folder;
  if (DataHome && std::filesystem::path(DataHome).is_absolute())
    Folder = DataHome;
  else if (Home && std::filesystem::path(Home).is_absolute())
    Folder = std::filesystem::path(Home) / ".local" / "share";
  else
    return {};
  return Folder / "quintar" / "game.psq";
}

// Written whole, so that a run cut short leaves the last game kept.
std::string KeepGame(const std::filesystem::path& File, std::string_view Record, const game::TPhrasebook& Words) {
  std::error_code Failed;
  if (Record.empty()) {
    std::filesystem::remove(File, Failed);
    return Failed ? Words.CannotSave(File.string(), SystemReason(Failed.value())) : std::string();
  }
  std::filesystem::create_directories(File.parent_path(), Failed);
  const std::string Error = WriteWholeFile(File.string(), Record);
  return Error.empty() ? std::string() : Words.CannotSave(File.string(), Error);
}

TKeepOutcome KeepChangedGame(const std::filesystem::path& File, std::string_view Record, game::TKeptGameMark& Mark,
                             const game::TPhrasebook& Words) {
  if (!Mark.Changed(Record)) return {};
  TKeepOutcome Outcome;
  if (Mark.AnotherKeptSince(ReadRecordFile(File.string(), Words).Text)) {
    if (Record.empty()) return {};
    const std::filesystem::path SetAside = game::SetAsideName(File.string(), "earlier", NameTaken);
    std::error_code Failed;
    std::filesystem::rename(File, SetAside, Failed);
    if (!Failed) Outcome.SetAside = Words.EarlierGameSetAside(SetAside.string());
  }
  Outcome.Error = KeepGame(File, Record, Words);
  if (Outcome.Error.empty()) Mark = game::TKeptGameMark(std::string(Record), std::string(Record));
  return Outcome;
}

std::vector<std::string> TakeUpKeptGame(TGame& Game, const std::filesystem::path& File) {
  std::error_code Failed;
  if (!std::filesystem::exists(File, Failed)) return {};
  const TFileText Kept = ReadRecordFile(File.string(), Game.Words());
  std::vector<std::string> Said;
  std::string Refused = Kept.Error.empty() ? Game.RestoreKeptGame(Kept.Text, Said) : Kept.Error;
  if (Refused.empty()) return Said;
  const std::filesystem::path SetAside = game::SetAsideName(File.string(), "unreadable", NameTaken);
  std::filesystem::rename(File, SetAside, Failed);
  if (Failed) return {Game.Words().CannotOpen(File.string(), Refused)};
  return {Game.Words().KeptGameSetAside(Refused, SetAside.string())};
}

}  // namespace quintar::terminal
