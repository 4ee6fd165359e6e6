#include "vcl/Registry.h"

#include <algorithm>
#include <cctype>

namespace vcl {
namespace {

bool SameText(std::string_view Left, std::string_view Right) {
  return Left.size() == Right.size() &&
         std::equal(Left.begin(), Left.end(), Right.begin(), [](char A, char B) {
           return std::tolower(static_cast<unsigned char>(A)) == std::tolower(static_cast<unsigned char>(B));
         });
}

struct TRegistry {
  std::vector<const TComponentClass*> Classes;
  std::vector<TPalettePage> Pages;
};

TRegistry& Registry() {
  static TRegistry Instance;
  return Instance;
}

template <typename TItems, typename TNameOf>
auto FindByName(TItems& Items, std::string_view Name, TNameOf NameOf) {
  return std::find_if(Items.begin(), Items.end(), [&](const auto& Item) { return SameText(NameOf(Item), Name); });
}

}  // namespace

const TPropertyInfo* TComponentClass::FindProperty(std::string_view PropertyName) const {
  const auto Found =
      FindByName(Properties, PropertyName, [](const TPropertyInfo& Property) -> const std::string& { return Property.Name; });
  return Found == Properties.end() ? nullptr : &*Found;
}

void RegisterClass(const TComponentClass& Class) {
  if (FindClass(Class.Name) == nullptr) Registry().Classes.push_back(&Class);
}

void UnregisterClass(const TComponentClass& Class) {
  TRegistry& State = Registry();
  std::erase(State.Classes, &Class);
  for (TPalettePage& Page : State.Pages) std::erase(Page.Classes, &Class);
  std::erase_if(State.Pages, [](const TPalettePage& Page) { return Page.Classes.empty(); });
}

const TComponentClass* FindClass(std::string_view Name) {
  auto& Classes = Registry().Classes;
  const auto Found = FindByName(Classes, Name, [](const TComponentClass* Class) -> const std::string& { return Class->Name; });
  return Found == Classes.end() ? nullptr : *Found;
}

TComponent* CreateComponent(std::string_view ClassName, TComponent* AOwner) {
  const TComponentClass* Class = FindClass(ClassName);
  return Class ? Class->Create(AOwner) : nullptr;
}

void RegisterComponents(std::string_view Page, std::initializer_list<const TComponentClass*> Classes) {
  auto& Pages = Registry().Pages;
  auto Found = FindByName(Pages, Page, [](const TPalettePage& Item) -> const std::string& { return Item.Name; });
  if (Found == Pages.end()) Found = Pages.insert(Pages.end(), TPalettePage{std::string(Page), {}});
  for (const TComponentClass* Class : Classes) {
    RegisterClass(*Class);
    if (std::find(Found->Classes.begin(), Found->Classes.end(), Class) == Found->Classes.end())
      Found->Classes.push_back(Class);
  }
}

const std::vector<TPalettePage>& PalettePages() { return Registry().Pages; }

std::string PropertyText(const TComponent& Component, const TPropertyInfo& Property) {
  return OrdinalToText(Property, Property.Get(Component));
}

std::string SetPropertyText(TComponent& Component, const TComponentClass& Class, std::string_view Name,
                            std::string_view Value) {
  const TPropertyInfo* Property = Class.FindProperty(Name);
  if (Property == nullptr) return "unknown property \"" + std::string(Name) + "\" of " + Class.Name;
  if (!Class.IsInstance(Component)) return "the component is not a " + Class.Name;
  std::string Error;
  if (!Property->IsEvent() && Property->IsReadOnly()) return Property->Name + " is read-only";
  const std::optional<std::int64_t> Ordinal = TextToOrdinal(*Property, Value, Error);
  if (!Ordinal) return Error;
  Property->Set(Component, *Ordinal);
  return {};
}

}  // namespace vcl
