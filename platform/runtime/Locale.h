#pragma once
// The user's locale decides how displayed numbers look (decimal separator).
// It is Qt's default locale, taken from the system once at start; stored
// numbers never depend on it.

#include <QLocale>

namespace rt {

QLocale userLocale();

// Takes the system's locale as the user's locale; called once by each program.
void initUserLocaleFromSystem();

// Sets the user's locale explicitly (tests, the host program's --locale).
void setUserLocale(const QLocale& locale);

}  // namespace rt
