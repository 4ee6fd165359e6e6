// Reads arbitrary bytes as a control's stored settings. A text that is
// refused must leave the control as it was; a text that is taken must be
// written back as a text that reads to the same settings.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "Quintar.h"
#include "Registry.h"
#include "Streaming.h"

namespace {

void Fail(const char* What, const std::string& Detail) {
  std::fprintf(stderr, "%s: %s\n", What, Detail.c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const std::string_view Text(reinterpret_cast<const char*>(Data), Size);
  const vcl::TComponentClass& Class = quintar::TQuintar::ClassInfo();
  quintar::TQuintar Control(nullptr);
  const std::string Before = vcl::WriteComponentText(Control, Class);
  const std::string Error = vcl::ReadComponentText(Control, Class, Text);
  if (!Error.empty()) {
    if (Error.find('\n') != std::string::npos) Fail("an error of more than one line", Error);
    if (vcl::WriteComponentText(Control, Class) != Before) Fail("a refused text changed the control", Error);
    return 0;
  }
  const std::string Written = vcl::WriteComponentText(Control, Class);
  quintar::TQuintar Copy(nullptr);
  const std::string Reread = vcl::ReadComponentText(Copy, Class, Written);
  if (!Reread.empty()) Fail("the written text does not read back", Reread + "\n" + Written);
  if (vcl::WriteComponentText(Copy, Class) != Written) Fail("the written text reads to other settings", Written);
  return 0;
}
