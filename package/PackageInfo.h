// What a package module says about itself: its name and description, the
// packages it needs, the units it contains, how it may be used, its version
// and its pictures. A module exports the table as constant data through the
// entry point GetPackageInfoTable, beside Initialize, Finalize and Register,
// so that a loader and the tools read it from the loaded module itself.
//
// Every view and span points into the module: the table is valid while the
// module stays loaded.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "Types.h"

namespace vcl {

// Raised whenever the layout below changes, so that a loader refuses a
// module built against another one instead of misreading it.
inline constexpr std::uint32_t PackageInfoFormat = 1;

enum class TResourceKind : std::uint8_t { Bitmap, Icon };

// A picture kept in the module: a palette and one palette index per pixel.
struct TPictureResource {
  std::string_view Name;
  TResourceKind Kind;
  int Width;
  int Height;
  std::span<const TColor> Palette;
  // Width * Height indices into Palette, top row first, each row left to right.
  std::span<const std::uint8_t> Pixels;
};

// One unit of code the module contains, in the order the units are
// initialized (and the reverse of the order they are finalized in).
struct TUnitInfo {
  std::string_view Name;
  // Contained only for the parts of it the other units use.
  bool Weak;
  // Run by the package's Initialize and Finalize; null when the unit has
  // nothing to run.
  void (*Initialization)();
  void (*Finalization)();
};

struct TVersionText {
  std::string_view Key;
  std::string_view Value;
};

struct TVersionInfo {
  std::array<std::uint16_t, 4> FileVersion;
  std::array<std::uint16_t, 4> ProductVersion;
  // A Windows language identifier (0x041D is Swedish) with its name.
  std::uint16_t Language;
  std::string_view LanguageName;
  std::uint16_t CodePage;
  // The standard text fields, in their usual order, each possibly empty.
  std::span<const TVersionText> Texts;
};

struct TPackageUsage {
  bool DesignOnly;
  bool RunOnly;
  // A designer must never rebuild the package on its own initiative.
  bool NeverBuild;
};

struct TPackageInfo {
  std::uint32_t Format;
  std::string_view Name;
  std::u16string_view Description;
  std::span<const std::string_view> Requires;
  std::span<const TUnitInfo> Units;
  TPackageUsage Usage;
  TVersionInfo Version;
  std::span<const TPictureResource> Resources;
};

// The entry points every package module exports with C linkage.
extern "C" {
using TPackageInfoEntry = const TPackageInfo*();
using TPackageEntry = void();
}
inline constexpr const char* PackageInfoEntryName = "GetPackageInfoTable";
inline constexpr const char* InitializeEntryName = "Initialize";
inline constexpr const char* FinalizeEntryName = "Finalize";
inline constexpr const char* RegisterEntryName = "Register";

}  // namespace vcl
