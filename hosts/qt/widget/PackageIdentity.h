// What the Quintar4 package module says about itself, in Qt's terms: the
// description, the version and the two pictures, read from the module this
// library is linked against, as a designer reads them from the package.
#pragma once

#include <QImage>
#include <QString>

namespace quintar::qt {

QString packageDescription();
// The file version, as "1.0.0.0".
QString packageVersion();
// The palette bitmap a designer shows for the control (21 x 21).
QImage paletteBitmap();
// The module's main icon (32 x 32).
QImage mainIcon();
// The palette page the package registers the control on.
QString palettePage();

}  // namespace quintar::qt
