#pragma once
// Text look-up. A text key is a text number, "::" and the English default
// ("20331::Time [ms]"). Its translation comes from the language table of the
// current language when the table has that number, else it is the default
// text; "%%1" and "%%2" are filled from the parameter list. A text without a
// key comes back unchanged.
//
// Tables live in resources/languages/<language>.lang (compiled in): sections
// "[<product>]", lines "<number>=<text>", "#" comments, "\n" for a line
// break. The language is RV1X_LANGUAGE when set, else the user's locale's.

#include <QHash>
#include <QVariantList>

#include "typelib/HostTypes.h"

class QTabBar;
class QWidget;

namespace host {

class LanguageService : public virtual com::Object {
 public:
  ~LanguageService() override;
  static std::shared_ptr<LanguageService> instance();

  virtual QString Translate(const QString& product, const QString& textKey,
                            const QVariantList& paramList = {});
  // The form with an out-parameter, as the callers use it.
  void Translate(const QString& product, const QString& textKey, const QVariantList& paramList,
                 QString& text) {
    text = Translate(product, textKey, paramList);
  }
  virtual void TranslateControls(const QString& product, QWidget* controls);
  virtual void TranslateTabs(const QString& product, QTabBar* tabStrip);

  // "en", "de", ...; an empty or unknown language has no table.
  QString language() const { return language_; }
  void setLanguage(const QString& language);
  // Adds a table file (tests, a technician's own translations).
  bool loadTable(const QString& file);

  // The default text of a key, the text after its "::" (a text without a
  // key unchanged), with the parameters filled in.
  static QString DefaultText(const QString& textKey, const QVariantList& paramList = {});

 private:
  LanguageService();
  QString language_;
  QHash<QString, QHash<int, QString>> tables_;  // product (lower case) -> number -> text
};

// A text of the product "RV-1X" in the user's language: the one way the
// plug-in's libraries translate their texts. Should the language service be
// missing or fail, the key's default text stands in: an operator reads an
// English caption, header or message rather than a blank or a text number.
QString translated(const QString& textKey, const QVariantList& parameters = {});

}  // namespace host
