#include "PackageLoader.h"

#include <dlfcn.h>

#include <algorithm>
#include <map>
#include <vector>

#include "Registry.h"
#include "TypInfo.h"

namespace vcl {
namespace {

// How many TPackage objects hold each module: the module's classes stay
// registered until the last one goes.
std::map<void*, int>& Holders() {
  static std::map<void*, int> Instance;
  return Instance;
}

// Messages stay on one line whatever the file name or the system says.
std::string OneLine(std::string Text) {
  std::replace_if(
      Text.begin(), Text.end(), [](char C) { return static_cast<unsigned char>(C) < 0x20 || C == 0x7F; }, ' ');
  return Text;
}

std::string LastSystemError() {
  const char* Text = dlerror();
  return Text ? Text : "the system gave no reason";
}

template <typename TEntry>
TEntry* Entry(void* Handle, const char* Name) {
  dlerror();
  return reinterpret_cast<TEntry*>(dlsym(Handle, Name));
}

// A picture the tools can read without checking it again: a sane size, a
// palette of at most 256 colours, and one valid index per pixel.
bool IsWellFormed(const TPictureResource& Picture) {
  constexpr int MaxSide = 1024;
  if (Picture.Width <= 0 || Picture.Height <= 0 || Picture.Width > MaxSide || Picture.Height > MaxSide) return false;
  if (Picture.Palette.empty() || Picture.Palette.size() > 256) return false;
  if (Picture.Pixels.size() != static_cast<std::size_t>(Picture.Width) * static_cast<std::size_t>(Picture.Height))
    return false;
  return std::all_of(Picture.Pixels.begin(), Picture.Pixels.end(),
                     [&](std::uint8_t Index) { return Index < Picture.Palette.size(); });
}

// The start of the module's mapping: every object inside it reports the same.
const void* ModuleBase(const void* Address) {
  Dl_info Where{};
  return dladdr(Address, &Where) != 0 ? Where.dli_fbase : nullptr;
}

// The registry must not keep classes whose code and data go with the module.
void WithdrawClassesOf(const TPackageInfo& Info) {
  const void* Base = ModuleBase(&Info);
  if (Base == nullptr) return;
  const std::vector<const TComponentClass*> Classes = RegisteredClasses();
  for (const TComponentClass* Class : Classes)
    if (ModuleBase(Class) == Base) UnregisterClass(*Class);
}

}  // namespace

std::unique_ptr<TPackage> TPackage::Load(const std::string& FileName, std::string& Error) {
  const auto Fail = [&](const std::string& Why) -> std::unique_ptr<TPackage> {
    Error = OneLine("cannot load package \"" + FileName + "\": " + Why);
    return nullptr;
  };
  if (FileName.empty()) return Fail("no file name given");
  void* Handle = dlopen(FileName.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (Handle == nullptr) return Fail(LastSystemError());
  const auto Refuse = [&](const std::string& Why) {
    dlclose(Handle);
    return Fail(Why);
  };

  TEntries Entries{};
  const auto GetInfo = Entry<TPackageInfoEntry>(Handle, PackageInfoEntryName);
  if (GetInfo == nullptr) return Refuse(std::string("not a package (it has no ") + PackageInfoEntryName + ")");
  Entries.Info = GetInfo();
  if (Entries.Info == nullptr) return Refuse("the package gives no package information");
  if (Entries.Info->Format != PackageInfoFormat)
    return Refuse("the package information has format " + std::to_string(Entries.Info->Format) + ", not " +
                  std::to_string(PackageInfoFormat));
  const struct {
    const char* Name;
    TPackageEntry** Slot;
  } Needed[] = {{InitializeEntryName, &Entries.Initialize},
                {FinalizeEntryName, &Entries.Finalize},
                {RegisterEntryName, &Entries.Register}};
  for (const auto& Need : Needed) {
    *Need.Slot = Entry<TPackageEntry>(Handle, Need.Name);
    if (*Need.Slot == nullptr) return Refuse(std::string("the package lacks the entry point ") + Need.Name);
  }
  for (const TPictureResource& Picture : Entries.Info->Resources)
    if (!IsWellFormed(Picture)) return Refuse("the resource " + std::string(Picture.Name) + " is malformed");

  Entries.Initialize();
  ++Holders()[Handle];
  return std::unique_ptr<TPackage>(new TPackage(FileName, Handle, Entries));
}

TPackage::TPackage(std::string FileName, void* Handle, const TEntries& Entries)
    : FFileName(std::move(FileName)),
      FHandle(Handle),
      FInfo(Entries.Info),
      FFinalize(Entries.Finalize),
      FRegister(Entries.Register) {}

TPackage::~TPackage() {
  const auto Held = Holders().find(FHandle);
  if (--Held->second == 0) {
    Holders().erase(Held);
    WithdrawClassesOf(*FInfo);
  }
  FFinalize();
  dlclose(FHandle);
}

const TPictureResource* FindResource(const TPackageInfo& Info, std::string_view Name) {
  const auto Found = std::find_if(Info.Resources.begin(), Info.Resources.end(),
                                  [&](const TPictureResource& Picture) { return SameText(Picture.Name, Name); });
  return Found == Info.Resources.end() ? nullptr : &*Found;
}

}  // namespace vcl
