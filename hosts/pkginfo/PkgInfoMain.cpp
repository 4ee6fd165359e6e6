// quintar-pkginfo: what a designer sees of a package module. It loads the
// module, runs its Initialize and Register, and prints the module's identity,
// the palette pages and each class's published properties and events; or
// writes one of the module's pictures out as a standard image file.
//
//   quintar-pkginfo MODULE
//   quintar-pkginfo MODULE --resource NAME --output FILE
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "ImageFiles.h"
#include "Output.h"
#include "PackageLoader.h"
#include "PackageReport.h"

namespace {

constexpr const char* Usage = "usage: quintar-pkginfo MODULE [--resource NAME --output FILE]";
constexpr const char* Help =
    "  MODULE alone           print the package's identity, its palette pages, and each class's\n"
    "                         published properties and events, as a designer sees them\n"
    "  --resource NAME --output FILE\n"
    "                         write the module's picture NAME to FILE, a bitmap as .bmp, an icon as .ico\n"
    "  --help                 print this help\n";

struct TArguments {
  std::string Module;
  std::optional<std::string> Resource;
  std::optional<std::string> Output;
};

int Fail(const std::string& Message, int Status = 1) {
  std::fprintf(stderr, "quintar-pkginfo: %s\n", Message.c_str());
  return Status;
}

// Empty when the arguments make sense, otherwise why not.
std::string ParseArguments(int Count, char** Values, TArguments& Arguments) {
  for (int I = 1; I < Count; ++I) {
    const std::string_view Argument = Values[I];
    if (Argument == "--resource" || Argument == "--output") {
      if (I + 1 >= Count) return std::string(Argument) + " needs a value";
      std::optional<std::string>& Slot = Argument == "--resource" ? Arguments.Resource : Arguments.Output;
      if (Slot) return std::string(Argument) + " is given twice";
      Slot = Values[++I];
    } else if (Argument.starts_with("-") && Argument != "-") {
      return "unknown option " + std::string(Argument);
    } else if (Arguments.Module.empty()) {
      Arguments.Module = Argument;
    } else {
      return "more than one module given";
    }
  }
  if (Arguments.Module.empty()) return "no module given";
  if (Arguments.Resource.has_value() != Arguments.Output.has_value()) return "--resource and --output go together";
  return {};
}

// A file that exists is loaded as that file, even when it is named without a
// folder; anything else is left to the system's library search.
std::string ModulePath(const std::string& Name) {
  std::error_code Failure;
  if (Name.find('/') == std::string::npos && std::filesystem::is_regular_file(Name, Failure)) return "./" + Name;
  return Name;
}

int WriteResource(const vcl::TPackage& Package, const std::string& Name, const std::string& Output) {
  const vcl::TPictureResource* Picture = vcl::FindResource(Package.Info(), Name);
  if (Picture == nullptr) return Fail("package " + std::string(Package.Info().Name) + " has no resource " + Name);
  const quintar::pkginfo::TBytes File = quintar::pkginfo::PictureFile(*Picture);
  const std::string Error =
      quintar::terminal::WriteWholeFile(Output, {reinterpret_cast<const char*>(File.data()), File.size()});
  return Error.empty() ? 0 : Fail("cannot write " + Output + ": " + Error);
}

void PrintDesignerView(const vcl::TPackage& Package) {
  std::string Text = quintar::pkginfo::IdentityReport(Package.Info(), Package.FileName());
  Text += "\n" + quintar::pkginfo::PaletteReport();
  for (const vcl::TPalettePage& Page : vcl::PalettePages())
    for (const vcl::TComponentClass* Class : Page.Classes) Text += "\n" + quintar::pkginfo::ClassReport(*Class);
  std::fputs(Text.c_str(), stdout);
}

}  // namespace

int main(int Count, char** Values) {
  for (int I = 1; I < Count; ++I)
    if (std::string_view(Values[I]) == "--help" || std::string_view(Values[I]) == "-h") {
      std::printf("%s\n%s", Usage, Help);
      return quintar::terminal::FinishOutput(0, "quintar-pkginfo");
    }
  TArguments Arguments;
  const std::string Problem = ParseArguments(Count, Values, Arguments);
  if (!Problem.empty()) return Fail(Problem + " (" + Usage + ")", 2);

  std::string Error;
  const std::unique_ptr<vcl::TPackage> Package = vcl::TPackage::Load(ModulePath(Arguments.Module), Error);
  if (!Package) return Fail(Error);
  if (Arguments.Resource) return WriteResource(*Package, *Arguments.Resource, *Arguments.Output);
  Package->Register();
  PrintDesignerView(*Package);
  return quintar::terminal::FinishOutput(0, "quintar-pkginfo");
}
