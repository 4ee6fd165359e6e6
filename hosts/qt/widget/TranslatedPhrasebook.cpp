#include "TranslatedPhrasebook.h"

#include <QCoreApplication>

namespace quintar::qt {

game::TPhrasebook translatedPhrasebook() {
  return game::TPhrasebook([](std::string_view english) {
    // translate needs the text ended by a null.
    const std::string source(english);
    return QCoreApplication::translate("Phrasebook", source.c_str()).toStdString();
  });
}

}  // namespace quintar::qt
