// Assigns every event of a control and keeps their names in the order raised.
#pragma once

#include <string>
#include <vector>

#include "Quintar.h"

namespace quintar::testing {

class TEventLog {
 public:
  explicit TEventLog(TQuintar& Control) {
    Listen(Control.OnLegalMove, "LegalMove");
    Listen(Control.OnIllegalMove, "IllegalMove");
    Listen(Control.OnDraw, "Draw");
    Listen(Control.OnCrossWon, "CrossWon");
    Listen(Control.OnNoughtWon, "NoughtWon");
    Listen(Control.OnComputerWon, "ComputerWon");
    Listen(Control.OnUserWon, "UserWon");
    Control.OnMouseDown = [this](vcl::TObject*, vcl::TMouseButton, vcl::TShiftState, int, int) {
      FNames.push_back("MouseDown");
    };
  }
  const std::vector<std::string>& Names() const { return FNames; }
  std::vector<std::string> Take() { return std::exchange(FNames, {}); }

 private:
  void Listen(vcl::TNotifyEvent& Event, const char* Name) {
    Event = [this, Name](vcl::TObject*) { FNames.push_back(Name); };
  }
  std::vector<std::string> FNames;
};

using TNames = std::vector<std::string>;

}  // namespace quintar::testing
