// Reads a fuzzer's bytes as a stream of small decisions. Past the end every
// read answers zero, so a harness never has to check how much is left
// before deciding what to do next.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quintar::fuzz {

class TFuzzInput {
 public:
  TFuzzInput(const std::uint8_t* Data, std::size_t Size) : FData(Data), FSize(Size) {}

  bool Exhausted() const { return FAt >= FSize; }
  std::uint8_t Byte() { return Exhausted() ? 0 : FData[FAt++]; }
  // Four bytes as a signed 32-bit integer: any value at all.
  std::int32_t AnyInt();
  // Mostly a value in Lo..Hi, now and then any integer, so that both the
  // usual range and its far edges are met.
  int Around(int Lo, int Hi);
  // A length byte, then up to that many bytes (fewer at the end).
  std::string_view Text();
  // The next Length bytes (fewer at the end), consumed.
  std::string_view Take(std::size_t Length);

 private:
  const std::uint8_t* FData;
  std::size_t FSize;
  std::size_t FAt = 0;
};

}  // namespace quintar::fuzz
