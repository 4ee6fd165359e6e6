// The two word helpers every reader of typed or sent text needs: level
// names, commands, protocol keywords and record fields all come with stray
// blanks and in any letter case.
#pragma once

#include <string_view>

namespace quintar {

// Spaces and tabs off both ends.
std::string_view Trimmed(std::string_view Text);
// Equal when letter case is ignored (ASCII letters only, whatever the locale).
bool SameWord(std::string_view A, std::string_view B);

}  // namespace quintar
