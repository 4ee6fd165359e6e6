#include "Registry.h"

#include <algorithm>

namespace vcl {
namespace {

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
  const auto Found = FindByName(Properties, PropertyName,
                                [](const TPropertyInfo& Property) -> const std::string& { return Property.Name; });
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
  const auto Found =
      FindByName(Classes, Name, [](const TComponentClass* Class) -> const std::string& { return Class->Name; });
  return Found == Classes.end() ? nullptr : *Found;
}

const std::vector<const TComponentClass*>& RegisteredClasses() { return Registry().Classes; }

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
    if (FindClass(Class->Name) != Class) continue;
    if (std::find(Found->Classes.begin(), Found->Classes.end(), Class) == Found->Classes.end())
      Found->Classes.push_back(Class);
  }
  // A page named only for classes that could not be offered stays unnamed.
  if (Found->Classes.empty()) Pages.erase(Found);
}

const std::vector<TPalettePage>& PalettePages() { return Registry().Pages; }

std::string PropertyText(const TComponent& Component, const TPropertyInfo& Property) {
  return OrdinalToText(Property, Property.Get(Component));
}

std::optional<TPropertyAssignment> ParsePropertyText(const TComponentClass& Class, std::string_view Name,
                                                     std::string_view Value, std::string& Error) {
  const TPropertyInfo* Property = Class.FindProperty(Name);
  if (Property == nullptr) {
    Error = "unknown property \"" + std::string(Name) + "\" of " + Class.Name;
    return std::nullopt;
  }
  if (!Property->IsEvent() && Property->IsReadOnly()) {
    Error = Property->Name + " is read-only";
    return std::nullopt;
  }
  const std::optional<std::int64_t> Ordinal = TextToOrdinal(*Property, Value, Error);
  if (!Ordinal) return std::nullopt;
  return TPropertyAssignment{Property, *Ordinal};
}

std::string SetPropertyText(TComponent& Component, const TComponentClass& Class, std::string_view Name,
                            std::string_view Value) {
  if (Class.FindProperty(Name) != nullptr && !Class.IsInstance(Component))
    return "the component is not a " + Class.Name;
  std::string Error;
  const std::optional<TPropertyAssignment> Assignment = ParsePropertyText(Class, Name, Value, Error);
  if (!Assignment) return Error;
  Assignment->Property->Set(Component, Assignment->Value);
  return {};
}

}  // namespace vcl
