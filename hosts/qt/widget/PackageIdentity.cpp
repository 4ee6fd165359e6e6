#include "PackageIdentity.h"

#include <QStringList>
#include <algorithm>

#include "PackageInfo.h"
#include "Quintar.h"
#include "Registry.h"

// The module's own account of itself, exported with C linkage.
extern "C" vcl::TPackageInfoEntry GetPackageInfoTable;

namespace quintar::qt {
namespace {

const vcl::TPackageInfo& packageInfo() { return *GetPackageInfoTable(); }

QImage picture(std::string_view name) {
  const vcl::TPackageInfo& info = packageInfo();
  const auto found = std::find_if(info.Resources.begin(), info.Resources.end(),
                                  [name](const vcl::TPictureResource& resource) { return resource.Name == name; });
  if (found == info.Resources.end()) return {};
  QImage image(found->Width, found->Height, QImage::Format_RGB32);
  for (int y = 0; y < found->Height; ++y)
    for (int x = 0; x < found->Width; ++x) {
      const vcl::TColor color = found->Palette[found->Pixels[static_cast<std::size_t>(y * found->Width + x)]];
      image.setPixel(x, y, qRgb(vcl::RedOf(color), vcl::GreenOf(color), vcl::BlueOf(color)));
    }
  return image;
}

}  // namespace

QString packageDescription() {
  const std::u16string_view text = packageInfo().Description;
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QString packageVersion() {
  QStringList parts;
  for (const std::uint16_t part : packageInfo().Version.FileVersion) parts << QString::number(part);
  return parts.join(QLatin1Char('.'));
}

QImage paletteBitmap() { return picture("TQUINTAR"); }

QImage mainIcon() { return picture("MAINICON"); }

// Registering again changes nothing, so the page is asked of the registry
// afresh each time.
QString palettePage() {
  Register();
  for (const vcl::TPalettePage& page : vcl::PalettePages())
    if (std::find(page.Classes.begin(), page.Classes.end(), &TQuintar::ClassInfo()) != page.Classes.end())
      return QString::fromStdString(page.Name);
  return {};
}

}  // namespace quintar::qt
