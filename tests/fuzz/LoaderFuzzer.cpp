// Offers arbitrary files to the package loader, as a designer offers
// whatever file a user picks: it must refuse each one with a one-line error
// and leave the process as it was. What the system's own module loader does
// with a crafted executable file is its business; this harness looks at
// what the package loader does around it.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "PackageLoader.h"

namespace {

// One scratch file per process, rewritten for every input and removed when
// the process ends.
class TScratchFile {
 public:
  TScratchFile() {
    char Template[] = "/tmp/quintar-loader-fuzz-XXXXXX";
    const int Descriptor = mkstemp(Template);
    if (Descriptor < 0) std::abort();
    close(Descriptor);
    FPath = Template;
  }
  ~TScratchFile() { unlink(FPath.c_str()); }
  TScratchFile(const TScratchFile&) = delete;
  TScratchFile& operator=(const TScratchFile&) = delete;
  const std::string& Path() const { return FPath; }

 private:
  std::string FPath;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  static const TScratchFile Scratch;
  const std::string& Path = Scratch.Path();
  std::FILE* File = std::fopen(Path.c_str(), "wb");
  if (File == nullptr) std::abort();
  if (Size > 0 && std::fwrite(Data, 1, Size, File) != Size) std::abort();
  std::fclose(File);
  std::string Error;
  const auto Package = vcl::TPackage::Load(Path, Error);
  if (Package == nullptr && (Error.empty() || Error.find('\n') != std::string::npos)) {
    std::fprintf(stderr, "refused without a one-line reason: [%s]\n", Error.c_str());
    std::abort();
  }
  return 0;
}
