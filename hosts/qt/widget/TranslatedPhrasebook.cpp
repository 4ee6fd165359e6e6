#include "TranslatedPhrasebook.h"

#include <QCoreApplication>
#include <algorithm>
#include <climits>

namespace quintar::qt {

// Qt fills %n with the count even where no translation exists; the
// phrasebook chooses the English form for the count itself, and can only do
// so when it gets its pattern back as it was.
game::TPhrasebook translatedPhrasebook() {
  return game::TPhrasebook([](std::string_view english, std::optional<std::size_t> count) {
    // translate needs the text ended by a null.
    const std::string source(english);
    if (!count) return QCoreApplication::translate("Phrasebook", source.c_str()).toStdString();
    const int n = static_cast<int>(std::min<std::size_t>(*count, INT_MAX));
    const QString translated = QCoreApplication::translate("Phrasebook", source.c_str(), nullptr, n);
    const QString untranslated = QString::fromStdString(source).replace(QStringLiteral("%n"), QString::number(n));
    return translated == untranslated ? source : translated.toStdString();
  });
}

}  // namespace quintar::qt
