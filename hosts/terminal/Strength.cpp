#include "Strength.h"

#include <array>

#include "TextUtil.h"

namespace quintar::terminal {
namespace {

constexpr std::array<std::string_view, 3> Names = {"low", "medium", "high"};

}  // namespace

std::optional<TStrength> StrengthNamed(std::string_view Name) {
  for (std::size_t Index = 0; Index < Names.size(); ++Index)
    if (SameWord(Name, Names[Index])) return static_cast<TStrength>(Index);
  return std::nullopt;
}

std::string_view StrengthName(TStrength Strength) { return Names[static_cast<std::size_t>(Strength)]; }

}  // namespace quintar::terminal
