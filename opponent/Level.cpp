#include "Level.h"

#include <array>

#include "Words.h"

namespace quintar {
namespace {

constexpr std::array<std::string_view, LevelCount> Names = {"low", "medium", "high", "expert"};

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
