#include "FuzzInput.h"

#include <algorithm>

namespace quintar::fuzz {

std::int32_t TFuzzInput::AnyInt() {
  std::uint32_t Bits = 0;
  for (int I = 0; I < 4; ++I) Bits = Bits << 8 | Byte();
  return static_cast<std::int32_t>(Bits);
}

int TFuzzInput::Around(int Lo, int Hi) {
  const std::uint8_t Choice = Byte();
  if (Choice >= 0xF0) return AnyInt();
  const long Span = static_cast<long>(Hi) - Lo + 1;
  return static_cast<int>(Lo + static_cast<long>(Byte() | Choice << 8) % Span);
}

std::string_view TFuzzInput::Text() { return Take(Byte()); }

std::string_view TFuzzInput::Take(std::size_t Length) {
  const std::size_t Count = std::min(Length, FSize - std::min(FAt, FSize));
  const std::string_view Taken(reinterpret_cast<const char*>(FData) + FAt, Count);
  FAt += Count;
  return Taken;
}

}  // namespace quintar::fuzz
