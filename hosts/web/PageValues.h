// What both of the element's modules pass to and from the page, which calls
// them as plain C functions through bindings/*.js: cells counted from 1, as
// Move takes them, and packed into one number; texts as UTF-8, from the page
// with their length and back ending in a NUL, those with parts as JSON
// (PageJson.h); numbers and bytes as an address in the module's memory and a
// count. What the page passes in is a copy it frees after the call; what a
// module answers with lasts until the next call that answers the same way.
#pragma once

#include <emscripten/emscripten.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "AnalysisMessage.h"
#include "TurnMessage.h"
#include "Types.h"

// A function the page calls by name.
#define QUINTAR_PAGE_CALL extern "C" EMSCRIPTEN_KEEPALIVE

namespace quintar::web {

// The column in the high 16 bits and the row in the low ones, or 0 for no
// cell, as the page's cellOf reads it.
inline int PackedCell(std::optional<vcl::TPoint> Cell) { return Cell ? (Cell->X + 1) << 16 | (Cell->Y + 1) : 0; }

// Text kept in Kept until the next answer that keeps its text there.
inline const char* KeptText(std::string& Kept, std::string Text) {
  Kept = std::move(Text);
  return Kept.c_str();
}

// Numbers kept in Kept with their count in front, as the page's
// countedNumbers reads them.
inline const std::int32_t* KeptNumbers(TMessageNumbers& Kept, const TMessageNumbers& Numbers) {
  Kept.assign(1, static_cast<std::int32_t>(Numbers.size()));
  Kept.insert(Kept.end(), Numbers.begin(), Numbers.end());
  return Kept.data();
}

// The page's text, all Length bytes of it, NULs included.
inline std::string_view TextAt(const char* Text, int Length) { return {Text, static_cast<std::size_t>(Length)}; }

inline std::span<const std::int32_t> NumbersAt(const std::int32_t* Numbers, int Count) {
  return {Numbers, static_cast<std::size_t>(Count)};
}

// The turn in the page's bytes, or nothing when they are no turn.
inline std::optional<game::TThinkRequest> TurnAt(const std::int8_t* Bytes, int Count) {
  return DecodeTurn({Bytes, static_cast<std::size_t>(Count)});
}

}  // namespace quintar::web
