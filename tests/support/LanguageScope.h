#pragma once
// Sets the host's language for the life of the object and restores the one
// before it (the English default texts for a language without a table).

#include "services/LanguageService.h"

namespace testsupport {

class LanguageScope {
 public:
  explicit LanguageScope(const QString& language)
      : previous_(host::LanguageService::instance()->language()) {
    host::LanguageService::instance()->setLanguage(language);
  }
  ~LanguageScope() { host::LanguageService::instance()->setLanguage(previous_); }
  LanguageScope(const LanguageScope&) = delete;
  LanguageScope& operator=(const LanguageScope&) = delete;

 private:
  QString previous_;
};

}  // namespace testsupport
