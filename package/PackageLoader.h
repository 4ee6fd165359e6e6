// Loading package modules into a running host: the module is mapped, checked
// to be a package, its units initialized, and what it declares about itself
// can be read. This is the one part of the framework that needs the system's
// module functions, so it lives beside the package rather than in vcl/.
//
// Loading a module that is already loaded shares it. Every TPackage runs the
// module's Initialize when it is made and its Finalize when it goes (the
// units count the nesting), and the last one of a module withdraws the
// module's classes from the registry before letting the module go. Any
// component created from those classes must be freed before that.
//
// Hosts use it from their user-interface thread only, as everything else in
// the framework.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "PackageInfo.h"

namespace vcl {

class TPackage {
 public:
  // The package in FileName, loaded and initialized; or null with Error
  // saying in one line why not (no such file, not a loadable module, not a
  // package, built for another format, an entry point or a resource amiss).
  // A name without a slash is looked up where the system looks up shared
  // libraries; name a file in the working folder as ./name.
  static std::unique_ptr<TPackage> Load(const std::string& FileName, std::string& Error);
  ~TPackage();
  TPackage(const TPackage&) = delete;
  TPackage& operator=(const TPackage&) = delete;

  const std::string& FileName() const { return FFileName; }
  const TPackageInfo& Info() const { return *FInfo; }

  // What a designer does once after loading: the package's Register, which
  // puts its classes on their palette pages.
  void Register() const { FRegister(); }

 private:
  struct TEntries {
    const TPackageInfo* Info;
    TPackageEntry* Initialize;
    TPackageEntry* Finalize;
    TPackageEntry* Register;
  };
  TPackage(std::string FileName, void* Handle, const TEntries& Entries);

  std::string FFileName;
  void* FHandle;
  const TPackageInfo* FInfo;
  TPackageEntry* FFinalize;
  TPackageEntry* FRegister;
};

// The resource of Info called Name, letter case ignored; null when there is
// none.
const TPictureResource* FindResource(const TPackageInfo& Info, std::string_view Name);

}  // namespace vcl
