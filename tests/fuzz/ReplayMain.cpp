// Runs a fuzz harness over files instead of generated input: every file
// named, and every file inside each folder named. This is how the seed
// corpora and the saved reproducers run in the ordinary test suite, with
// any compiler and without the fuzzing engine.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size);

namespace {

bool Replay(const std::filesystem::path& File) {
  std::ifstream Stream(File, std::ios::binary);
  if (!Stream) {
    std::fprintf(stderr, "cannot read %s\n", File.c_str());
    return false;
  }
  const std::vector<char> Bytes((std::istreambuf_iterator<char>(Stream)), std::istreambuf_iterator<char>());
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(Bytes.data()), Bytes.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int Replayed = 0;
  for (int I = 1; I < argc; ++I) {
    const std::filesystem::path Path(argv[I]);
    std::error_code Error;
    if (!std::filesystem::is_directory(Path, Error)) {
      if (!Replay(Path)) return 1;
      ++Replayed;
      continue;
    }
    for (const auto& Entry : std::filesystem::directory_iterator(Path)) {
      if (!Entry.is_regular_file()) continue;
      if (!Replay(Entry.path())) return 1;
      ++Replayed;
    }
  }
  std::printf("replayed %d inputs\n", Replayed);
  return Replayed > 0 ? 0 : 1;
}
