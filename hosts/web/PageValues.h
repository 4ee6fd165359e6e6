// The values both of the element's modules hand to the page and take from
// it: cells counted from 1, as Move takes them, numbers as typed arrays, and
// turns as TurnMessage bytes.
#pragma once

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "AnalysisMessage.h"
#include "TurnMessage.h"
#include "Types.h"

namespace quintar::web {

// { col, row }, or null for no cell.
inline emscripten::val CellValue(std::optional<vcl::TPoint> Cell) {
  if (!Cell) return emscripten::val::null();
  emscripten::val Value = emscripten::val::object();
  Value.set("col", Cell->X + 1);
  Value.set("row", Cell->Y + 1);
  return Value;
}

// A typed-array view of Numbers, valid until they change.
template <typename TNumber>
emscripten::val NumbersView(const std::vector<TNumber>& Numbers) {
  return emscripten::val(emscripten::typed_memory_view(Numbers.size(), Numbers.data()));
}

// An Int32Array of the page's, or nothing when it is something else.
inline std::optional<TMessageNumbers> NumbersOf(const emscripten::val& Value) {
  if (!Value.instanceof (emscripten::val::global("Int32Array"))) return std::nullopt;
  return emscripten::convertJSArrayToNumberVector<std::int32_t>(Value);
}

// The turn in a page's bytes, or nothing when they are no turn.
inline std::optional<game::TThinkRequest> TurnOf(const emscripten::val& Bytes) {
  return DecodeTurn(emscripten::convertJSArrayToNumberVector<std::int8_t>(Bytes));
}

}  // namespace quintar::web
