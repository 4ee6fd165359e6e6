// A strict reader of JSON text for the tests that check what a program
// writes for scripts: anything that is not exactly one JSON value is refused.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quintar::testing {

struct TJson {
  enum class TKind { Null, Bool, Number, String, Array, Object };
  TKind Kind = TKind::Null;
  bool Bool = false;
  double Number = 0;
  std::string String;
  std::vector<TJson> Items;
  std::map<std::string, TJson, std::less<>> Members;
  // A member or item that is not there fails the test that asked, by throwing.
  const TJson& operator[](std::string_view Key) const;
  const TJson& operator[](std::size_t Index) const { return Items.at(Index); }
};

// The value, when Text is one JSON value with nothing but white space around it.
std::optional<TJson> ReadJson(std::string_view Text);

}  // namespace quintar::testing
