// How a designer, a form reader and the tools see TQuintar: its published
// properties and events in declaration order with their defaults, the
// palette page it is offered on, and the unit's part in a package's start-up.
#include "Quintar.h"

#include "Registry.h"

namespace quintar {
namespace {

std::vector<vcl::TPropertyInfo> PublishedProperties() {
  using vcl::BooleanProperty;
  using vcl::ColorProperty;
  using vcl::EventProperty;
  using vcl::WritesField;
  std::vector<vcl::TPropertyInfo> Properties = {
      ColorProperty("Color", &TQuintar::Color, &TQuintar::SetColor, vcl::clWhite),
      ColorProperty("GridLineColor", &TQuintar::GridLineColor, &TQuintar::SetGridLineColor, vcl::clGray),
      ColorProperty("CrossColor", &TQuintar::CrossColor, &TQuintar::SetCrossColor, vcl::clRed),
      ColorProperty("NoughtColor", &TQuintar::NoughtColor, &TQuintar::SetNoughtColor, vcl::clBlue),
      ColorProperty("HighlightColor", &TQuintar::HighlightColor, &TQuintar::SetHighlightColor, vcl::clBlack),
      ColorProperty("QuintarColor", &TQuintar::QuintarColor, &TQuintar::SetQuintarColor, vcl::clYellow),
      vcl::IntegerProperty("ColCount", &TQuintar::ColCount, &TQuintar::SetColCount, 20),
      vcl::IntegerProperty("RowCount", &TQuintar::RowCount, &TQuintar::SetRowCount, 20),
      WritesField(vcl::EnumProperty("PlayingStrength", "TStrength", {"stLow", "stMedium", "stHigh"},
                                    &TQuintar::PlayingStrength, &TQuintar::SetPlayingStrength, stHigh)),
      WritesField(BooleanProperty("AutoResponse", &TQuintar::AutoResponse, &TQuintar::SetAutoResponse, true)),
      WritesField(BooleanProperty("ClickResponse", &TQuintar::ClickResponse, &TQuintar::SetClickResponse, true)),
      WritesField(BooleanProperty("Lock", &TQuintar::Lock, &TQuintar::SetLock, false)),
      WritesField(BooleanProperty("ShowHighlight", &TQuintar::ShowHighlight, &TQuintar::SetShowHighlight, true)),
      WritesField(BooleanProperty("ShowQuintar", &TQuintar::ShowQuintar, &TQuintar::SetShowQuintar, true)),
      BooleanProperty<TQuintar>("GameOver", &TQuintar::GameOver, nullptr, false),
  };
  const auto Append = [&Properties](std::vector<vcl::TPropertyInfo> More) {
    Properties.insert(Properties.end(), More.begin(), More.end());
  };
  Append(vcl::PublishedControlProperties());
  Append(vcl::PublishedControlEvents());
  Append({
      EventProperty("OnLegalMove", "TNotifyEvent", &TQuintar::OnLegalMove),
      EventProperty("OnIllegalMove", "TNotifyEvent", &TQuintar::OnIllegalMove),
      EventProperty("OnDraw", "TNotifyEvent", &TQuintar::OnDraw),
      EventProperty("OnCrossWon", "TNotifyEvent", &TQuintar::OnCrossWon),
      EventProperty("OnNoughtWon", "TNotifyEvent", &TQuintar::OnNoughtWon),
      EventProperty("OnComputerWon", "TNotifyEvent", &TQuintar::OnComputerWon),
      EventProperty("OnUserWon", "TNotifyEvent", &TQuintar::OnUserWon),
  });
  return Properties;
}

}  // namespace

const vcl::TComponentClass& TQuintar::ClassInfo() {
  static const vcl::TComponentClass Class = vcl::ComponentClass<TQuintar>("TQuintar", PublishedProperties());
  return Class;
}

void Register() { vcl::RegisterComponents("Quarbel", {&TQuintar::ClassInfo()}); }

namespace {
int InitializationDepth = 0;
}

void InitializeUnit() { ++InitializationDepth; }

void FinalizeUnit() {
  if (InitializationDepth > 0) --InitializationDepth;
}

int UnitInitializationDepth() { return InitializationDepth; }

}  // namespace quintar
