#pragma once
// Qt's own texts (the file dialogs, the buttons of message boxes and of the
// settings dialog) in the host's language, from the translations the system
// ships for Qt (Debian's qt6-translations-l10n). English, or a language Qt
// has no translation for, leaves Qt's own English.

#include <QString>

namespace workbench {

// Follows the host's language (LanguageService.h) from now on; false when
// that language has no Qt translation installed.
bool followHostLanguageInQt();

}  // namespace workbench
