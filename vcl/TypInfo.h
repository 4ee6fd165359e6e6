// Published properties as a designer, a form reader or a tool sees them: a
// name, a type, a default, the reader and writer a designer shows, and typed
// access through the property's ordinal value. Every published value here is
// an ordinal (integers, colours, booleans, enumerations); events are listed
// too, in the same order as they are declared, but only their assignment can
// be read.
//
// Text forms: integers in decimal; colours by name (clRed) or as $00BBGGRR;
// booleans as True or False; enumerations by their names (stHigh). Reading
// text ignores letter case.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Classes.h"

namespace vcl {

enum class TPropertyKind : std::uint8_t { Integer, Color, Boolean, Enumeration, Event };

struct TPropertyInfo {
  std::string Name;
  // The declared type as a designer shows it: Integer, TColor, Boolean,
  // TStrength, TNotifyEvent, ...
  std::string TypeName;
  TPropertyKind Kind = TPropertyKind::Integer;
  // The name of each ordinal, in order; enumerations only.
  std::vector<std::string> EnumNames;
  // The value a new component has; none for events.
  std::optional<std::int64_t> Default;
  // The field or method that reads and writes it; Writer is empty when the
  // property is read-only.
  std::string Reader;
  std::string Writer;
  // The component passed must be of the class that lists the property. For
  // an event, Get answers 1 when a handler is assigned. Set is empty for
  // read-only properties and events.
  std::function<std::int64_t(const TComponent&)> Get;
  std::function<void(TComponent&, std::int64_t)> Set;

  bool IsEvent() const { return Kind == TPropertyKind::Event; }
  bool IsReadOnly() const { return !Set; }
};

// Names in forms and text values ignore letter case.
bool SameText(std::string_view Left, std::string_view Right);
// Text without the white space around it.
std::string_view TrimText(std::string_view Text);

// The text form of Value for Property (an event reads "assigned" or "").
std::string OrdinalToText(const TPropertyInfo& Property, std::int64_t Value);
// Parses Text for Property: the value, or nothing with Error saying why.
std::optional<std::int64_t> TextToOrdinal(const TPropertyInfo& Property, std::string_view Text, std::string& Error);

// ---- Describing a class's properties ---------------------------------------
//
// Each maker binds a getter and a setter of class C; a null setter makes the
// property read-only.

template <typename C>
TPropertyInfo IntegerProperty(std::string Name, int (C::*Get)() const, void (C::*Set)(int), int Default);
template <typename C, typename TValue>
TPropertyInfo ColorProperty(std::string Name, TValue (C::*Get)() const, void (C::*Set)(TValue), TValue Default);
template <typename C>
TPropertyInfo BooleanProperty(std::string Name, bool (C::*Get)() const, void (C::*Set)(bool), bool Default);
template <typename C, typename TEnum>
TPropertyInfo EnumProperty(std::string Name, std::string TypeName, std::vector<std::string> EnumNames,
                           TEnum (C::*Get)() const, void (C::*Set)(TEnum), TEnum Default);
template <typename C, typename TField>
TPropertyInfo EventProperty(std::string Name, std::string TypeName, TField C::*Field);

// For a property whose setter only stores the value: a designer shows it as
// written straight to its field.
inline TPropertyInfo WritesField(TPropertyInfo Property) {
  Property.Writer = Property.Reader;
  return Property;
}

// ---- Implementation of the makers --------------------------------------------

namespace detail {

// The reader a designer shows: the field F<Name> behind the getter.
inline std::string FieldFor(const std::string& Name) { return "F" + Name; }
inline std::string WriterFor(const std::string& Name, bool HasSetter) {
  return HasSetter ? "Set" + Name : std::string();
}

template <typename C, typename TValue, typename TStored>
TPropertyInfo OrdinalProperty(std::string Name, std::string TypeName, TPropertyKind Kind, TValue (C::*Get)() const,
                              void (C::*Set)(TValue), TValue Default) {
  TPropertyInfo Info;
  Info.Reader = FieldFor(Name);
  Info.Writer = WriterFor(Name, Set != nullptr);
  Info.Name = std::move(Name);
  Info.TypeName = std::move(TypeName);
  Info.Kind = Kind;
  Info.Default = static_cast<std::int64_t>(static_cast<TStored>(Default));
  Info.Get = [Get](const TComponent& Component) {
    return static_cast<std::int64_t>(static_cast<TStored>((static_cast<const C&>(Component).*Get)()));
  };
  if (Set) {
    Info.Set = [Set](TComponent& Component, std::int64_t Value) {
      (static_cast<C&>(Component).*Set)(static_cast<TValue>(static_cast<TStored>(Value)));
    };
  }
  return Info;
}

}  // namespace detail

template <typename C>
TPropertyInfo IntegerProperty(std::string Name, int (C::*Get)() const, void (C::*Set)(int), int Default) {
  return detail::OrdinalProperty<C, int, int>(std::move(Name), "Integer", TPropertyKind::Integer, Get, Set, Default);
}

template <typename C, typename TValue>
TPropertyInfo ColorProperty(std::string Name, TValue (C::*Get)() const, void (C::*Set)(TValue), TValue Default) {
  return detail::OrdinalProperty<C, TValue, TValue>(std::move(Name), "TColor", TPropertyKind::Color, Get, Set, Default);
}

template <typename C>
TPropertyInfo BooleanProperty(std::string Name, bool (C::*Get)() const, void (C::*Set)(bool), bool Default) {
  TPropertyInfo Info =
      detail::OrdinalProperty<C, bool, int>(std::move(Name), "Boolean", TPropertyKind::Boolean, Get, Set, Default);
  Info.EnumNames = {"False", "True"};
  return Info;
}

template <typename C, typename TEnum>
TPropertyInfo EnumProperty(std::string Name, std::string TypeName, std::vector<std::string> EnumNames,
                           TEnum (C::*Get)() const, void (C::*Set)(TEnum), TEnum Default) {
  TPropertyInfo Info = detail::OrdinalProperty<C, TEnum, int>(std::move(Name), std::move(TypeName),
                                                              TPropertyKind::Enumeration, Get, Set, Default);
  Info.EnumNames = std::move(EnumNames);
  return Info;
}

template <typename C, typename TField>
TPropertyInfo EventProperty(std::string Name, std::string TypeName, TField C::*Field) {
  TPropertyInfo Info;
  Info.Reader = detail::FieldFor(Name);
  Info.Writer = Info.Reader;  // events are read and written as plain fields
  Info.Name = std::move(Name);
  Info.TypeName = std::move(TypeName);
  Info.Kind = TPropertyKind::Event;
  Info.Get = [Field](const TComponent& Component) {
    return std::int64_t{static_cast<bool>(static_cast<const C&>(Component).*Field)};
  };
  return Info;
}

}  // namespace vcl
