#pragma once
// Shared by the result tests: stored elements from XML text, the errors the
// results raised or reported, the language for a while, and a test element
// with its limit set, filter and configuration, whose standards the test
// fills and selects.

#include <gtest/gtest.h>

#include <QStringList>
#include <optional>

#include "LanguageScope.h"
#include "LocaleScope.h"
#include "QtPrinters.h"
#include "StubTestElement.h"
#include "TestSupport.h"
#include "limits/Limit.h"
#include "limits/Standard.h"
#include "limits/StandardsCollection.h"
#include "records/RunObjects.h"
#include "records/ServiceRecord.h"
#include "services/ErrorService.h"
#include "services/HostLog.h"
#include "services/LanguageService.h"
#include "settings/CLimitData.h"
#include "xml/XmlDocument.h"

namespace resultstest {

using testsupport::errorOf;
using testsupport::LocaleScope;
using testsupport::raisedBy;

inline host::ErrorService& errors() {
  return *host::ErrorService::instance();
}

inline QList<host::ErrorEntry> reported() {
  return errors().reported();
}

inline host::XmlElementPtr element(const QString& xml) {
  auto document = std::make_shared<host::XmlDocument>();
  document->LoadXml(xml);
  return document->DocumentElement();
}

// An element as text with its attributes in name order, so that two stored
// forms compare whatever order the document keeps attributes in.
inline QString canonical(const QDomElement& element) {
  QStringList attributes;
  const QDomNamedNodeMap map = element.attributes();
  for (int i = 0; i < map.count(); ++i) {
    const QDomAttr attribute = map.item(i).toAttr();
    attributes.append(QStringLiteral(" %1=\"%2\"").arg(attribute.name(), attribute.value()));
  }
  attributes.sort();
  QString content;
  for (QDomNode node = element.firstChild(); !node.isNull(); node = node.nextSibling()) {
    if (node.isElement())
      content += canonical(node.toElement());
    else if (node.isText() || node.isCDATASection())
      content += node.nodeValue();
  }
  return u'<' + element.tagName() + attributes.join(QString()) + u'>' + content +
         QStringLiteral("</") + element.tagName() + u'>';
}

inline QString canonical(const host::XmlElementPtr& stored) {
  return stored ? canonical(stored->dom()) : QStringLiteral("(none)");
}

// The canonical text of a stored form written as XML text (blanks between
// elements are dropped by the parser).
inline QString canonicalXml(const QString& xml) {
  return canonical(element(xml));
}

// The tags of an element's children, in order.
inline QStringList childTags(const host::XmlElementPtr& stored) {
  QStringList tags;
  const host::XmlNodeListPtr nodes = com::must(stored).ChildNodes();
  for (rt::Long i = 0; i < nodes->Length(); ++i) tags.append(nodes->Item(i)->TagName());
  return tags;
}

// A reply of the given width with each text placed from its 1-based column.
inline QString reply(int width, std::initializer_list<std::pair<int, const char*>> fields) {
  QString text(width, u' ');
  for (const auto& [column, field] : fields) {
    const QString f = QLatin1String(field);
    text.replace(column - 1, f.size(), f);
  }
  return text;
}

using testsupport::LanguageScope;

// A test element of one test ID with its limit set, a filter that asks for
// service records, and the standards selected for the run.
class RunBench {
 public:
  explicit RunBench(rt::Long testID)
      : test(std::make_shared<testsupport::StubTestElement>(testID)),
        limits(std::make_shared<orvanRV1Xtst::CLimitData>()),
        filter(std::make_shared<host::TestFilter>()),
        selected(std::make_shared<host::StandardsCollection>()) {
    limits->Init(test, true);
    filter->setFlags(host::TestFilter::BuildServiceRecord);
    test->limits = limits;
    test->filter = filter;
  }

  // A standard of the limit set with the test's default limits, selected
  // for the run unless told otherwise.
  host::StandardPtr standard(const QString& alphaName, bool select = true) {
    host::StandardPtr made = limits->CreateStandard(alphaName, alphaName + QStringLiteral(" 1"));
    if (select) selected->Add(made);
    return made;
  }

  // Sets the limit of a key in a standard; a bound not given stays off.
  static void bound(const host::StandardPtr& standard, const QString& key,
                    std::optional<float> high, std::optional<float> low,
                    const QString& op = QString()) {
    host::LimitPtr limit = com::must(standard).FindLimit(key);
    ASSERT_TRUE(limit) << qPrintable(key);
    if (!op.isEmpty()) limit->SetOperator(0, op);
    limit->SetEnabled(host::limitindex::High, high.has_value());
    limit->SetValue(host::limitindex::High, high.value_or(0));
    limit->SetEnabled(host::limitindex::Low, low.has_value());
    limit->SetValue(host::limitindex::Low, low.value_or(0));
  }

  std::shared_ptr<testsupport::StubTestElement> test;
  std::shared_ptr<orvanRV1Xtst::CLimitData> limits;
  std::shared_ptr<host::TestFilter> filter;
  host::StandardsCollectionPtr selected;
};

class ResultTest : public ::testing::Test {
 protected:
  void SetUp() override { errors().clear(); }
  void TearDown() override { errors().clear(); }

  LocaleScope locale_{LocaleScope::english()};
  host::XmlDocumentPtr document_ = std::make_shared<host::XmlDocument>();
};

}  // namespace resultstest
