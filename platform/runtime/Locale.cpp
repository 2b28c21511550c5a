#include "runtime/Locale.h"

namespace rt {

QLocale userLocale() {
  return QLocale();
}

void initUserLocaleFromSystem() {
  QLocale::setDefault(QLocale::system());
}

void setUserLocale(const QLocale& locale) {
  QLocale::setDefault(locale);
}

}  // namespace rt
