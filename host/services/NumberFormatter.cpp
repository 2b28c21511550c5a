#include "services/NumberFormatter.h"

#include <QDir>

#include "runtime/NumberDisplay.h"

namespace host {

NumberFormatter::~NumberFormatter() = default;

std::shared_ptr<NumberFormatter> NumberFormatter::instance() {
  static auto service = std::make_shared<NumberFormatter>();
  return service;
}

QString NumberFormatter::NumberText(const QVariant& value) {
  return rt::numberText(value);
}

void NumberFormatter::AppendNumberText(QString& text, rt::Single value) {
  rt::appendNumberText(text, value);
}

QString NumberFormatter::FolderPath(const QString& folder) {
  QString path = QDir::fromNativeSeparators(folder);
  if (path.isEmpty()) path = QDir::currentPath();
  if (!path.endsWith(u'/')) path += u'/';
  return path;
}

}  // namespace host
