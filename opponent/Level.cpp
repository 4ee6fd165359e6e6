#include "Level.h"

#include <array>

namespace quintar {
namespace {

constexpr std::array<std::string_view, LevelCount> Names = {"low", "medium", "high", "expert"};

bool SameWord(std::string_view A, std::string_view B) {
  const auto Lower = [](char Letter) {
    return Letter >= 'A' && Letter <= 'Z' ? static_cast<char>(Letter - 'A' + 'a') : Letter;
  };
  if (A.size() != B.size()) return false;
  for (std::size_t I = 0; I < A.size(); ++I)
    if (Lower(A[I]) != Lower(B[I])) return false;
  return true;
}

}  // namespace

std::optional<TLevel> LevelNamed(std::string_view Name) {
  for (std::size_t Index = 0; Index < Names.size(); ++Index)
    if (SameWord(Name, Names[Index])) return static_cast<TLevel>(Index);
  return std::nullopt;
}

std::string_view LevelName(TLevel Level) {
  const auto Index = static_cast<std::size_t>(Level);
  return Index < Names.size() ? Names[Index] : std::string_view{};
}

std::optional<TStrength> ControlStrength(TLevel Level) {
  if (Level == TLevel::Expert) return std::nullopt;
  return static_cast<TStrength>(Level);
}

TLevel LevelOf(TStrength Strength) { return static_cast<TLevel>(Strength); }

}  // namespace quintar
