// Small text helpers the command readers share: words, numbers, and a safe
// echo of whatever a peer or a player sent. Trimming and comparing words
// come with the opponent's, which reads level names the same way.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Words.h"

namespace quintar::terminal {

// The pieces between runs of any of the separator characters; none empty.
std::vector<std::string_view> SplitAny(std::string_view Text, std::string_view Separators);
// A whole decimal integer, with a leading '-' allowed when Signed; nothing
// for anything else, including a value outside int.
std::optional<int> IntegerFrom(std::string_view Text, bool Signed);
// Text fit to repeat in a one-line message: at most MaxLength bytes of it,
// "..." after a longer one, and every byte that is not printable ASCII shown
// as \xHH (a backslash as \\), so that a terminal, a log or a peer that reads
// only ASCII shows exactly what came in and never acts on a control byte.
std::string Echo(std::string_view Text, std::size_t MaxLength = 40);
// The same for a person's terminal, which reads UTF-8: printable characters
// beyond ASCII are shown as they are ("déjà.psq"), never half of one; broken
// sequences, controls and the marks that reorder a line are escaped.
std::string EchoUtf8(std::string_view Text, std::size_t MaxLength = 40);

}  // namespace quintar::terminal
