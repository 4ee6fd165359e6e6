#include "Words.h"

namespace quintar {
namespace {

char Lower(char Letter) { return Letter >= 'A' && Letter <= 'Z' ? static_cast<char>(Letter - 'A' + 'a') : Letter; }

}  // namespace

std::string_view Trimmed(std::string_view Text) {
  const auto First = Text.find_first_not_of(" \t");
  if (First == std::string_view::npos) return {};
  return Text.substr(First, Text.find_last_not_of(" \t") - First + 1);
}

bool SameWord(std::string_view A, std::string_view B) {
  if (A.size() != B.size()) return false;
  for (std::size_t I = 0; I < A.size(); ++I)
    if (Lower(A[I]) != Lower(B[I])) return false;
  return true;
}

}  // namespace quintar
