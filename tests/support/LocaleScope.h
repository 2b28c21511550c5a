#pragma once
// Sets the user's locale for the life of the object and restores the one
// before it.

#include "runtime/Locale.h"

namespace testsupport {

class LocaleScope {
 public:
  explicit LocaleScope(const QLocale& locale) : previous_(rt::userLocale()) {
    rt::setUserLocale(locale);
  }
  ~LocaleScope() { rt::setUserLocale(previous_); }
  LocaleScope(const LocaleScope&) = delete;
  LocaleScope& operator=(const LocaleScope&) = delete;

  static QLocale english() { return QLocale(QLocale::English, QLocale::UnitedStates); }
  static QLocale german() { return QLocale(QLocale::German, QLocale::Germany); }

 private:
  QLocale previous_;
};

}  // namespace testsupport
