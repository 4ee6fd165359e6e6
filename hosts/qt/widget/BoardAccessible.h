// The board as assistive technology sees it: a canvas with the widget's name
// and description whose value is the latest move or result in words. Every
// move and result is announced as a change of that value.
#pragma once

#include <QString>

class QuintarWidget;

namespace quintar::qt {

// Makes every QuintarWidget accessible this way; once per process is enough,
// more changes nothing.
void installBoardAccessible();
void announceToAssistiveTechnology(QuintarWidget* board, const QString& text);

}  // namespace quintar::qt
