// The designer's view of a loaded package as text: what the module says about
// itself, the palette pages with their classes, and each class's published
// properties and events.
#pragma once

#include <string>

#include "PackageInfo.h"
#include "Registry.h"

namespace quintar::pkginfo {

std::string IdentityReport(const vcl::TPackageInfo& Info, const std::string& FileName);
// Every palette page of the registry with the classes it offers.
std::string PaletteReport();
std::string ClassReport(const vcl::TComponentClass& Class);

// UTF-16 text as UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf8(std::u16string_view Text);

}  // namespace quintar::pkginfo
