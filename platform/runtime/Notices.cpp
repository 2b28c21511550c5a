#include "runtime/Notices.h"

#include <cstdio>

namespace rt {

namespace {
QStringList& kept() {
  static QStringList list;
  return list;
}
}  // namespace

void notice(const QString& area, const QString& text) {
  const QString line = area + QStringLiteral(": ") + text;
  kept().append(line);
  std::fprintf(stderr, "%s\n", qPrintable(line));
  std::fflush(stderr);
}

QStringList notices() {
  return kept();
}

void clearNotices() {
  kept().clear();
}

}  // namespace rt
