// The translations of Qt's own texts (standard buttons, file dialogs) for the interface's
// language. The game's texts are its own and are not translated here.
#pragma once

#include <QString>

class QCoreApplication;

namespace vellmora {

// The language of the interface.
inline constexpr const char* kInterfaceLanguage = "ja";

// Installs Qt's translations for `language` ("ja"), read from Qt's translations folder, in
// place of any installed before. False when they are not there (Debian's
// qt6-translations-l10n); Qt's texts then stay English.
bool installQtTranslations(QCoreApplication& application, const QString& language);

}  // namespace vellmora
