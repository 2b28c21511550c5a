// What the stored forms of the test library convert on purpose when a part
// read from a file is written anew, so that the keeping check of a sequence
// takes none of it for a loss:
//   - the performance settings: "Version" holds this library's version
//     whatever release wrote it; an element without "Version" is the older
//     layout ("AmplitudeIndex", "DurationIndex", "WaveFormIndex", and guide
//     settings it never carried), written in the current one;
//   - the sensitivity settings' "RangeHigh" and "RangeLow", read and never
//     written;
//   - a result's "MTI", rounded, and not written when it is 0;
//   - the shock-advisory result's "Version", written "2";
//   - the pacer-accuracy result's measurement "PENG", passed over;
//   - a waveform's "Mk" other than "III", read as the older generation,
//     which writes none.

#include <QRegularExpression>

#include "xml/XmlKeeping.h"

namespace orvanRV1Xtst {
namespace {

using host::xmltree::Conversion;
using host::xmltree::Node;

// The class name of the test element the stored element lies in.
QString testClassOf(const Node& element) {
  // The tree holds every parent while its children are looked at.
  for (const Node* at = &element; at; at = at->parent.lock().get())
    if (at->name == QLatin1String("TestElement")) {
      const QString* name = at->attribute(QStringLiteral("ClassName"));
      return name ? *name : QString();
    }
  return QString();
}

bool holdsChild(const Node& element, const QString& name) {
  for (const auto& child : element.children)
    if (child->kind == Node::Kind::Element && child->name == name) return true;
  return false;
}

bool isNumber(const QString& text) {
  static const QRegularExpression number(
      QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));
  return number.match(text.trimmed()).hasMatch();
}

const auto ofTest = [](const char* className) {
  return [className](const Node& parent, const Node*, const QString&) {
    return testClassOf(parent) == QLatin1String(className);
  };
};

const auto olderPerformanceLayout = [](const Node& parent, const Node*, const QString&) {
  return testClassOf(parent) == QLatin1String("RV1XTests.CTestPerformance") &&
         !holdsChild(parent, QStringLiteral("Version"));
};

std::vector<Conversion> conversions() {
  const QString settings = QStringLiteral("PlugInData");
  const QString result = QStringLiteral("ResultItem");
  std::vector<Conversion> list{
      {settings, Conversion::Of::Child, QStringLiteral("Version"),
       ofTest("RV1XTests.CTestPerformance")},
      {settings, Conversion::Of::Child, QStringLiteral("RangeHigh"),
       ofTest("RV1XTests.CTestSensitivity")},
      {settings, Conversion::Of::Child, QStringLiteral("RangeLow"),
       ofTest("RV1XTests.CTestSensitivity")},
      {result, Conversion::Of::Attribute, QStringLiteral("MTI"),
       [](const Node&, const Node*, const QString& value) { return isNumber(value); }},
      {result, Conversion::Of::Attribute, QStringLiteral("Version"),
       ofTest("RV1XTests.CTestShock")},
      {result, Conversion::Of::Child, QStringLiteral("Measurement"),
       [](const Node& parent, const Node* child, const QString&) {
         const QString* key = child ? child->attribute(QStringLiteral("Key")) : nullptr;
         return key && *key == QLatin1String("PENG") &&
                testClassOf(parent) == QLatin1String("RV1XTests.CTestAccuracy");
       }},
      {QStringLiteral("Waveform"), Conversion::Of::Attribute, QStringLiteral("Mk"),
       [](const Node&, const Node*, const QString& value) {
         return value != QLatin1String("III");
       }},
  };
  for (const char* older :
       {"AmplitudeIndex", "DurationIndex", "WaveFormIndex", "TestGuideSettings"})
    list.push_back({settings, Conversion::Of::Child, QLatin1String(older), olderPerformanceLayout});
  return list;
}

[[maybe_unused]] const bool registered = (host::xmltree::addConversions(conversions()), true);

}  // namespace
}  // namespace orvanRV1Xtst
