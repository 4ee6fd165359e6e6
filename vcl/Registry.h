// The classes a designer or a form reader can create by name, and the
// palette pages a designer offers them on. One registry serves the whole
// process: a module registers its classes when it is loaded and withdraws
// them before it is unloaded.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Classes.h"
#include "TypInfo.h"

namespace vcl {

// A class as a designer knows it: its name, how to make one with an owner,
// and its published properties and events in declaration order.
struct TComponentClass {
  std::string Name;
  std::function<TComponent*(TComponent* AOwner)> Create;
  std::function<bool(const TComponent&)> IsInstance;
  std::vector<TPropertyInfo> Properties;

  // Letter case is ignored, as in a form; null when there is none.
  const TPropertyInfo* FindProperty(std::string_view PropertyName) const;
};

template <typename C>
TComponentClass ComponentClass(std::string Name, std::vector<TPropertyInfo> Properties) {
  return {std::move(Name), [](TComponent* AOwner) -> TComponent* { return new C(AOwner); },
          [](const TComponent& Component) { return dynamic_cast<const C*>(&Component) != nullptr; },
          std::move(Properties)};
}

// The class must outlive its registration. Registering a class twice, or a
// second class of the same name, changes nothing.
void RegisterClass(const TComponentClass& Class);
// Withdraws the class and takes it off every palette page.
void UnregisterClass(const TComponentClass& Class);
// Letter case is ignored; null when no class of that name is registered.
const TComponentClass* FindClass(std::string_view Name);
// Every registered class, in the order of registration.
const std::vector<const TComponentClass*>& RegisteredClasses();
// A new component of the named class, owned by AOwner; null for an unknown
// class.
TComponent* CreateComponent(std::string_view ClassName, TComponent* AOwner);

struct TPalettePage {
  std::string Name;
  std::vector<const TComponentClass*> Classes;
};

// Registers the classes and offers them on Page, in the order given, after
// what the page already holds; a class already on the page stays where it is.
// A class whose name is already taken by another is not offered: the page
// shows only classes that FindClass answers.
void RegisterComponents(std::string_view Page, std::initializer_list<const TComponentClass*> Classes);
// The pages in the order they were first named.
const std::vector<TPalettePage>& PalettePages();

// ---- Reading and writing published properties as text ------------------------

// A checked value for one property, ready to be set.
struct TPropertyAssignment {
  const TPropertyInfo* Property;
  std::int64_t Value;
};

// The property called Name of Class and the value its text form Value stands
// for, or nothing with Error saying why not (no such property, read-only, an
// event, not a valid value). Touches no component.
std::optional<TPropertyAssignment> ParsePropertyText(const TComponentClass& Class, std::string_view Name,
                                                     std::string_view Value, std::string& Error);

// The text form of a property's present value.
std::string PropertyText(const TComponent& Component, const TPropertyInfo& Property);
// Sets the property called Name from its text form. Returns an empty string
// on success; otherwise why not (no such property, read-only, an event, not
// a valid value), with the component unchanged.
std::string SetPropertyText(TComponent& Component, const TComponentClass& Class, std::string_view Name,
                            std::string_view Value);

}  // namespace vcl
