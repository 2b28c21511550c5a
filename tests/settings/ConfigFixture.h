#pragma once
// Shared by the configuration tests: a document to save into and load from,
// the stored children of an element as "Name=Text" lines, and the errors the
// configurations raised or reported.

#include <gtest/gtest.h>

#include <QStringList>
#include <functional>
#include <optional>
#include <ostream>

#include "records/TestGuideSettingsObject.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Locale.h"
#include "services/ErrorService.h"
#include "settings/CConfigBase.h"
#include "xml/XmlDocument.h"

// Readable failure messages for texts and lists of texts.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* out) {
  *out << '{';
  for (qsizetype i = 0; i < list.size(); ++i)
    *out << (i ? ", \"" : "\"") << list.at(i).toStdString() << '"';
  *out << '}';
}

namespace settingstest {

inline host::ErrorService& errors() {
  return *host::ErrorService::instance();
}

inline QLocale usLocale() {
  return QLocale(QLocale::English, QLocale::UnitedStates);
}
inline QLocale germanLocale() {
  return QLocale(QLocale::German, QLocale::Germany);
}

// The child elements of an element, in order, as "Name=Text".
inline QStringList children(const host::XmlElementPtr& element) {
  QStringList lines;
  host::XmlNodeListPtr nodes = com::must(element).ChildNodes();
  for (rt::Long i = 0; i < nodes->Length(); ++i) {
    host::XmlElementPtr child = nodes->Item(i);
    lines.append(child->TagName() + u'=' + child->Text());
  }
  return lines;
}

// The errors reported (not raised) since the test began.
inline QList<host::ErrorEntry> reported() {
  return errors().reported();
}

// The error a call raised to its caller, if any.
inline std::optional<rt::RuntimeError> raisedBy(const std::function<void()>& call) {
  try {
    call();
  } catch (const rt::RuntimeError& error) {
    return error;
  }
  return std::nullopt;
}

class ConfigTest : public ::testing::Test {
 protected:
  void SetUp() override {
    errors().clear();
    rt::setUserLocale(usLocale());
  }
  void TearDown() override {
    rt::setUserLocale(usLocale());
    errors().clear();
  }

  // A stored element read from XML text.
  host::XmlElementPtr element(const QString& xml) {
    auto document = std::make_shared<host::XmlDocument>();
    document->LoadXml(xml);
    return document->DocumentElement();
  }

  // A "PlugInData" element of the product with the given children.
  host::XmlElementPtr plugInData(const QString& childrenXml) {
    return element(QStringLiteral("<PlugInData PlugIn=\"RV-1X\">%1</PlugInData>").arg(childrenXml));
  }

  host::XmlElementPtr save(host::IConfigData& config) { return config.Save(document_); }

  // Saves one configuration and loads the element into another.
  void roundTrip(host::IConfigData& from, host::IConfigData& to) {
    host::XmlElementPtr stored = save(from);
    ASSERT_TRUE(stored);
    to.Load(stored, nullptr);
  }

  host::XmlDocumentPtr document_ = std::make_shared<host::XmlDocument>();
};

}  // namespace settingstest
