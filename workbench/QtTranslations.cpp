#include "QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

#include "runtime/ErrorHandling.h"
#include "services/LanguageService.h"

namespace workbench {

namespace {
QPointer<QTranslator>& installed() {
  static QPointer<QTranslator> translator;
  return translator;
}
}  // namespace

bool followHostLanguageInQt() {
  const QString language =
      rt::orDefault([] { return host::LanguageService::instance()->language(); }, QString());
  QPointer<QTranslator>& current = installed();
  if (current && current->language().startsWith(language) && !language.isEmpty()) return true;
  if (current) {
    QCoreApplication::removeTranslator(current);
    delete current;
  }
  if (language.isEmpty() || language == QLatin1String("en")) return true;
  auto* translator = new QTranslator(QCoreApplication::instance());
  // "qt_<language>" takes in the translations of every Qt module.
  if (!translator->load(QStringLiteral("qt_") + language,
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  QCoreApplication::installTranslator(translator);
  current = translator;
  return true;
}

}  // namespace workbench
