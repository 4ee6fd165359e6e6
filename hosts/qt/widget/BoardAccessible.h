// The board as assistive technology sees it: a canvas with the widget's
// description whose value is the latest announcement in words: a move, a
// result, or the cell the arrow keys reached. Its name is that announcement
// too, once there is one (the widget's name before): the desktop bridge
// carries a changed name to screen readers, which speak it while the board
// has the focus, whereas it drops a changed value of an object that has no
// number to give. Every announcement is told as a change of both.
#pragma once

#include <QString>

class QuintarWidget;

namespace quintar::qt {

// Makes every QuintarWidget accessible this way; once per process is enough,
// more changes nothing.
void installBoardAccessible();
void announceToAssistiveTechnology(QuintarWidget* board, const QString& text);

}  // namespace quintar::qt
