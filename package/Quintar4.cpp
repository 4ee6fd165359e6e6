// The Quintar4 package: the module that carries TQuintar to designers and
// hosts. This unit has no code of its own beyond the entry points; it says
// what the module is and runs the contained units' start-up and shut-down.
//
// The framework's import units (Windows, Messages, ...) are listed because
// the package declares them, but there is nothing behind them on this
// platform: they are weak and have nothing to run.
#include <array>
#include <string_view>

#include "PackageInfo.h"
#include "Pictures.h"
#include "Quintar.h"

namespace quintar {
namespace {

constexpr std::array<std::string_view, 1> RequiredPackages = {"VCL40"};

// In the order they are initialized: the imports first, the package's own
// unit, which uses all the others, last.
constexpr std::array<vcl::TUnitInfo, 8> Units = {{
    {"Sysinit", true, nullptr, nullptr},
    {"Windows", true, nullptr, nullptr},
    {"Messages", true, nullptr, nullptr},
    {"Commctrl", true, nullptr, nullptr},
    {"Imm", true, nullptr, nullptr},
    {"Winspool", true, nullptr, nullptr},
    {"Quintar", false, &InitializeUnit, &FinalizeUnit},
    {"Quintar4", false, nullptr, nullptr},
}};

// Only the two version numbers are filled in.
constexpr std::array<vcl::TVersionText, 10> VersionTexts = {{
    {"CompanyName", ""},
    {"FileDescription", ""},
    {"FileVersion", "1.0.0.0"},
    {"InternalName", ""},
    {"LegalCopyright", ""},
    {"LegalTrademarks", ""},
    {"OriginalFilename", ""},
    {"ProductName", ""},
    {"ProductVersion", "1.0.0.0"},
    {"Comments", ""},
}};

constexpr std::uint16_t Swedish = 0x041D;
constexpr std::uint16_t WesternEuropean = 1252;

const vcl::TPackageInfo PackageInfo = {
    vcl::PackageInfoFormat,
    "Quintar4",
    u"Quarbels Quintar Component",
    RequiredPackages,
    Units,
    {/*DesignOnly=*/false, /*RunOnly=*/false, /*NeverBuild=*/true},
    {{1, 0, 0, 0}, {1, 0, 0, 0}, Swedish, "Swedish", WesternEuropean, VersionTexts},
    Pictures(),
};

}  // namespace
}  // namespace quintar

// The module's entry points, found by name when it is loaded.
extern "C" {

[[gnu::visibility("default")]] const vcl::TPackageInfo* GetPackageInfoTable() { return &quintar::PackageInfo; }

[[gnu::visibility("default")]] void Initialize() {
  for (const vcl::TUnitInfo& Unit : quintar::Units)
    if (Unit.Initialization) Unit.Initialization();
}

[[gnu::visibility("default")]] void Finalize() {
  for (auto Unit = quintar::Units.rbegin(); Unit != quintar::Units.rend(); ++Unit)
    if (Unit->Finalization) Unit->Finalization();
}

[[gnu::visibility("default")]] void Register() { quintar::Register(); }

}  // extern "C"
