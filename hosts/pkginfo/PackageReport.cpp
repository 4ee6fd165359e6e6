#include "PackageReport.h"

#include <algorithm>
#include <cstdio>

namespace quintar::pkginfo {
namespace {

void AppendCodePoint(std::string& Text, char32_t Code) {
  const auto Byte = [&Text](char32_t Bits) { Text.push_back(static_cast<char>(Bits)); };
  if (Code < 0x80) {
    Byte(Code);
  } else if (Code < 0x800) {
    Byte(0xC0 | (Code >> 6));
    Byte(0x80 | (Code & 0x3F));
  } else if (Code < 0x10000) {
    Byte(0xE0 | (Code >> 12));
    Byte(0x80 | ((Code >> 6) & 0x3F));
    Byte(0x80 | (Code & 0x3F));
  } else {
    Byte(0xF0 | (Code >> 18));
    Byte(0x80 | ((Code >> 12) & 0x3F));
    Byte(0x80 | ((Code >> 6) & 0x3F));
    Byte(0x80 | (Code & 0x3F));
  }
}

std::string Padded(std::string_view Text, std::size_t Width) {
  std::string Result(Text);
  if (Result.size() < Width) Result.append(Width - Result.size(), ' ');
  return Result;
}

std::string Line(std::string_view Label, std::string_view Value) {
  if (Value.empty()) return "  " + std::string(Label) + ":\n";
  return "  " + Padded(std::string(Label) + ":", 18) + std::string(Value) + "\n";
}

template <typename TItems, typename TText>
std::string Joined(const TItems& Items, TText Text) {
  std::string Result;
  for (const auto& Item : Items) Result += (Result.empty() ? "" : ", ") + Text(Item);
  return Result.empty() ? "none" : Result;
}

std::string VersionText(const std::array<std::uint16_t, 4>& Version) {
  return std::to_string(Version[0]) + "." + std::to_string(Version[1]) + "." + std::to_string(Version[2]) + "." +
         std::to_string(Version[3]);
}

std::string UsageText(const vcl::TPackageUsage& Usage) {
  std::string Text = Usage.DesignOnly ? "design time only"
                     : Usage.RunOnly  ? "run time only"
                                      : "design time and run time";
  return Text + (Usage.NeverBuild ? "; never rebuilt implicitly" : "; rebuilt implicitly when needed");
}

std::string LanguageText(const vcl::TVersionInfo& Version) {
  char Code[8];
  std::snprintf(Code, sizeof Code, "%04X", Version.Language);
  return std::string(Version.LanguageName) + " (" + Code + "), code page " + std::to_string(Version.CodePage);
}

std::string ResourceText(const vcl::TPictureResource& Picture) {
  return std::string(Picture.Name) + " (" + (Picture.Kind == vcl::TResourceKind::Icon ? "icon" : "bitmap") + ", " +
         std::to_string(Picture.Width) + " x " + std::to_string(Picture.Height) + ", " +
         std::to_string(Picture.Palette.size()) + " colours)";
}

template <typename TField>
std::size_t Widest(const vcl::TComponentClass& Class, TField Field) {
  std::size_t Width = 0;
  for (const vcl::TPropertyInfo& Property : Class.Properties) Width = std::max(Width, (Property.*Field).size());
  return Width;
}

}  // namespace

std::string Utf8(std::u16string_view Text) {
  std::string Result;
  for (std::size_t I = 0; I < Text.size(); ++I) {
    const char32_t Unit = Text[I];
    const bool High = Unit >= 0xD800 && Unit < 0xDC00;
    const bool Low = Unit >= 0xDC00 && Unit < 0xE000;
    if (High && I + 1 < Text.size() && Text[I + 1] >= 0xDC00 && Text[I + 1] < 0xE000) {
      AppendCodePoint(Result, 0x10000 + ((Unit - 0xD800) << 10) + (Text[++I] - 0xDC00));
    } else {
      AppendCodePoint(Result, High || Low ? 0xFFFD : Unit);
    }
  }
  return Result;
}

std::string IdentityReport(const vcl::TPackageInfo& Info, const std::string& FileName) {
  std::string Text = "Package " + std::string(Info.Name) + "\n";
  Text += Line("File", FileName);
  Text += Line("Description", Utf8(Info.Description));
  Text += Line("Requires", Joined(Info.Requires, [](std::string_view Name) { return std::string(Name); }));
  Text += Line("Units", Joined(Info.Units, [](const vcl::TUnitInfo& Unit) {
                 return std::string(Unit.Name) + (Unit.Weak ? " (weak)" : "");
               }));
  Text += Line("Usage", UsageText(Info.Usage));
  Text += Line("File version", VersionText(Info.Version.FileVersion));
  Text += Line("Product version", VersionText(Info.Version.ProductVersion));
  Text += Line("Language", LanguageText(Info.Version));
  Text += Line("Version texts", "");
  for (const vcl::TVersionText& Field : Info.Version.Texts)
    Text += "    " + Padded(Field.Key, 18) + "\"" + std::string(Field.Value) + "\"\n";
  Text += Line("Resources", Joined(Info.Resources, ResourceText));
  return Text;
}

std::string PaletteReport() {
  std::string Text = "Palette pages\n";
  for (const vcl::TPalettePage& Page : vcl::PalettePages())
    Text += "  " + Page.Name + ": " +
            Joined(Page.Classes, [](const vcl::TComponentClass* Class) { return Class->Name; }) + "\n";
  return Text;
}

std::string ClassReport(const vcl::TComponentClass& Class) {
  const std::size_t NameWidth = Widest(Class, &vcl::TPropertyInfo::Name) + 2;
  const std::size_t TypeWidth = Widest(Class, &vcl::TPropertyInfo::TypeName) + 2;
  std::string Properties;
  std::string Events;
  for (const vcl::TPropertyInfo& Property : Class.Properties) {
    std::string Row = "    " + Padded(Property.Name, NameWidth) + Padded(Property.TypeName, TypeWidth);
    if (Property.IsEvent()) {
      Events += Row + "read " + Property.Reader + ", write " + Property.Writer + "\n";
      continue;
    }
    Row += Padded("default " + vcl::OrdinalToText(Property, Property.Default.value_or(0)), 18);
    Row += "read " + Property.Reader + (Property.IsReadOnly() ? ", read-only" : ", write " + Property.Writer);
    Properties += Row + "\n";
  }
  return "Class " + Class.Name + "\n  Properties\n" + Properties + "  Events\n" + Events;
}

}  // namespace quintar::pkginfo
