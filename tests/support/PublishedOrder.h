// The published properties and events of TQuintar in declaration order: the
// order a designer lists them in and a form stores them in.
#pragma once

#include <string>
#include <vector>

namespace quintar {

inline const std::vector<std::string> PublishedOrder = {
    "Color", "GridLineColor", "CrossColor", "NoughtColor", "HighlightColor", "QuintarColor", "ColCount",
    "RowCount", "PlayingStrength", "AutoResponse", "ClickResponse", "Lock", "ShowHighlight", "ShowQuintar",
    "GameOver", "Align", "Visible", "OnMouseDown", "OnMouseUp", "OnMouseMove", "OnClick", "OnDblClick",
    "OnEnter", "OnExit", "OnResize", "OnLegalMove", "OnIllegalMove", "OnDraw", "OnCrossWon", "OnNoughtWon",
    "OnComputerWon", "OnUserWon"};

}  // namespace quintar
