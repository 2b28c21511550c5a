#include "services/LanguageService.h"

#include <QFile>
#include <QTabBar>
#include <QTextStream>

#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Locale.h"
#include "ui/CaptionWalk.h"

namespace host {

LanguageService::LanguageService() {
  QString language = qEnvironmentVariable("RV1X_LANGUAGE");
  if (language.isEmpty()) language = rt::userLocale().name().section(u'_', 0, 0);
  setLanguage(language);
}

LanguageService::~LanguageService() = default;

std::shared_ptr<LanguageService> LanguageService::instance() {
  static std::shared_ptr<LanguageService> service(new LanguageService);
  return service;
}

void LanguageService::setLanguage(const QString& language) {
  language_ = language.toLower();
  tables_.clear();
  if (!language_.isEmpty())
    loadTable(QStringLiteral(":/rv1xhost/languages/%1.lang").arg(language_));
}

bool LanguageService::loadTable(const QString& file) {
  QFile f(file);
  if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return false;
  QTextStream in(&f);
  in.setEncoding(QStringConverter::Utf8);
  QString product = kProduct.toLower();
  while (!in.atEnd()) {
    const QString line = in.readLine().trimmed();
    if (line.isEmpty() || line.startsWith(u'#')) continue;
    if (line.startsWith(u'[') && line.endsWith(u']')) {
      product = line.mid(1, line.size() - 2).trimmed().toLower();
      continue;
    }
    const int eq = line.indexOf(u'=');
    if (eq <= 0) continue;
    bool ok = false;
    const int number = line.left(eq).trimmed().toInt(&ok);
    if (!ok) continue;
    QString text = line.mid(eq + 1);
    text.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    tables_[product].insert(number, text);
  }
  return true;
}

namespace {

void fillIn(QString& text, const QVariantList& paramList) {
  for (int i = 0; i < 2 && i < paramList.size(); ++i)
    text.replace(QStringLiteral("%%%1").arg(i + 1), rt::cstr(paramList.at(i)));
}

}  // namespace

QString LanguageService::DefaultText(const QString& textKey, const QVariantList& paramList) {
  // Only a leading text number makes a key: "Note: see A::B" is plain text.
  if (!ui::isTextKey(textKey)) return textKey;
  QString text = textKey.mid(textKey.indexOf(QStringLiteral("::")) + 2);
  fillIn(text, paramList);
  return text;
}

QString LanguageService::Translate(const QString& product, const QString& textKey,
                                   const QVariantList& paramList) {
  if (!ui::isTextKey(textKey)) return textKey;
  const int colons = textKey.indexOf(QStringLiteral("::"));
  QString text = textKey.mid(colons + 2);
  bool ok = false;
  const int number = textKey.left(colons).toInt(&ok);
  if (ok) {
    const auto table = tables_.constFind(product.toLower());
    if (table != tables_.constEnd() && table->contains(number)) text = table->value(number);
  }
  fillIn(text, paramList);
  return text;
}

void LanguageService::TranslateControls(const QString& product, QWidget* controls) {
  ui::translateCaptions(controls, [&](const QString& key) { return Translate(product, key); });
}

void LanguageService::TranslateTabs(const QString& product, QTabBar* tabStrip) {
  ui::translateTabs(tabStrip, [&](const QString& key) { return Translate(product, key); });
}

QString translated(const QString& textKey, const QVariantList& parameters) {
  return rt::onError(
      [&] {
        return com::must(LanguageService::instance()).Translate(kProduct, textKey, parameters);
      },
      [&](const rt::RuntimeError&) { return LanguageService::DefaultText(textKey, parameters); });
}

}  // namespace host
