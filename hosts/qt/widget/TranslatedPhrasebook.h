// The game's words as the Qt host shows them: the phrasebook with Qt's
// translations, so that a translator installed on the application (the
// "Phrasebook" context) applies to every sentence about the game, in the
// widget and in the desktop game alike.
#pragma once

#include <QString>
#include <string>

#include "Phrasebook.h"

namespace quintar::qt {

// Each pattern and word passes through QCoreApplication::translate before
// its blanks are filled.
game::TPhrasebook translatedPhrasebook();

// A sentence of the phrasebook, for a Qt text.
inline QString said(const std::string& sentence) { return QString::fromStdString(sentence); }

}  // namespace quintar::qt
