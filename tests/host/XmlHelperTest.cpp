// The typed "Status" and "Value" elements read back what was written.

#include <gtest/gtest.h>

#include <limits>

#include "LocaleScope.h"
#include "QtPrinters.h"
#include "xml/XmlDocument.h"
#include "xml/XmlHelper.h"

namespace {

using host::XmlElementPtr;
using host::XmlHelper;
using testsupport::LocaleScope;

// Writes the element into a measurement, stores the document as text and
// parses it again, so the stored form itself is what is read.
XmlElementPtr throughText(const XmlElementPtr& element) {
  auto document = XmlHelper::instance()->NewDocument();
  XmlElementPtr measurement = document->CreateElement(QStringLiteral("Measurement"));
  document->SetDocumentElement(measurement);
  measurement->AppendChild(element);
  auto reread = XmlHelper::instance()->NewDocument();
  reread->LoadXml(document->toString());
  return reread->DocumentElement();
}

TEST(XmlHelper, StatusReadsBackFromTheElementOrItsParent) {
  auto helper = XmlHelper::instance();
  auto document = helper->NewDocument();
  XmlElementPtr status = helper->WriteStatus(document, 2, QStringLiteral("failed <IEC>"));
  ASSERT_TRUE(status);
  EXPECT_EQ(status->TagName(), QStringLiteral("Status"));
  XmlElementPtr parent = throughText(status);
  for (const XmlElementPtr& given : {parent, parent->SelectChild(QStringLiteral("Status"))}) {
    rt::Long number = -1;
    QString text;
    helper->ReadStatus(given, number, text);
    EXPECT_EQ(number, 2);
    EXPECT_EQ(text, QStringLiteral("failed <IEC>"));
  }
  rt::Long number = 7;
  QString text = QStringLiteral("kept");
  helper->ReadStatus(document->CreateElement(QStringLiteral("Measurement")), number, text);
  helper->ReadStatus(nullptr, number, text);
  EXPECT_EQ(number, 7) << "no Status element: nothing changes";
  EXPECT_EQ(text, QStringLiteral("kept"));
  EXPECT_EQ(helper->WriteStatus(helper->NewDocument(), 0, QString())->Text(), QString());
}

TEST(XmlHelper, ValuesOfEveryKindReadBackTheSame) {
  auto helper = XmlHelper::instance();
  const QVariant values[] = {
      QVariant(),
      QVariant(true),
      QVariant(false),
      QVariant::fromValue<short>(-32768),
      QVariant::fromValue<int>(std::numeric_limits<int>::max()),
      QVariant::fromValue<int>(-5),
      QVariant::fromValue<float>(0.1f),
      QVariant::fromValue<float>(1.0f / 3.0f),
      QVariant::fromValue<float>(-35.05f),
      QVariant::fromValue<float>(3.4028235e38f),
      QVariant::fromValue<float>(1e-40f),
      QVariant::fromValue<float>(std::numeric_limits<float>::infinity()),
      QVariant::fromValue<float>(-std::numeric_limits<float>::infinity()),
      QVariant(0.1 + 0.2),
      QVariant(-1e300),
      QVariant(QStringLiteral("Shock")),
      QVariant(QStringLiteral("")),
      QVariant(QStringLiteral("12.5")),
      QVariant(QStringLiteral("a <b> & c")),
      QVariant(QStringLiteral("  padded ")),
      QVariant(QStringLiteral("   ")),
      QVariant(QStringLiteral("two\nlines")),
  };
  for (const QLocale& locale : {LocaleScope::english(), LocaleScope::german()}) {
    LocaleScope scope(locale);
    rt::Long valueType = 1;
    for (const QVariant& written : values) {
      auto document = helper->NewDocument();
      XmlElementPtr element = helper->WriteValue(document, written, valueType);
      ASSERT_TRUE(element);
      EXPECT_EQ(element->TagName(), QStringLiteral("Value"));
      XmlElementPtr parent = throughText(element);
      for (const XmlElementPtr& given : {parent, parent->SelectChild(QStringLiteral("Value"))}) {
        QVariant read = QStringLiteral("untouched");
        rt::Long readType = 0;
        helper->ReadValue(given, read, readType);
        EXPECT_EQ(readType, valueType);
        EXPECT_EQ(read.isValid(), written.isValid()) << qPrintable(written.toString());
        EXPECT_EQ(read.typeId(), written.typeId()) << qPrintable(written.toString());
        EXPECT_EQ(read, written) << qPrintable(locale.name()) << " "
                                 << qPrintable(written.toString());
      }
      valueType = valueType % 3 + 1;
    }
  }
}

// A value another writer stored that its kind cannot hold is no value: it
// never reads as a number made up (0, or infinity for a Single).
TEST(XmlHelper, ATextItsKindCannotHoldReadsAsNoValue) {
  const struct {
    const char* kind;
    const char* text;
  } cases[] = {{"Single", "4e38"},   {"Single", ""},      {"Single", "open"},
               {"Double", "0,87"},   {"Double", "12abc"}, {"Long", "1.5"},
               {"Integer", "40000"}, {"Boolean", "true"}, {"Boolean", "1"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.kind) + " " + c.text);
    auto document = XmlHelper::instance()->NewDocument();
    document->LoadXml(QStringLiteral("<Value Type=\"1\" Kind=\"%1\">%2</Value>")
                          .arg(QLatin1String(c.kind), QLatin1String(c.text)));
    QVariant value = 5;
    rt::Long type = 0;
    XmlHelper::instance()->ReadValue(document->DocumentElement(), value, type);
    EXPECT_FALSE(value.isValid()) << qPrintable(value.toString());
    EXPECT_EQ(type, 1);
  }
}

TEST(XmlHelper, ValueWithoutElementLeavesTheArguments) {
  auto helper = XmlHelper::instance();
  QVariant value = 4;
  rt::Long type = 2;
  helper->ReadValue(helper->NewDocument()->CreateElement(QStringLiteral("Measurement")), value,
                    type);
  helper->ReadValue(nullptr, value, type);
  EXPECT_EQ(value, QVariant(4));
  EXPECT_EQ(type, 2);
}

TEST(XmlHelper, AValueOfAnotherWriterWithoutKindIsANumber) {
  auto document = XmlHelper::instance()->NewDocument();
  document->LoadXml(QStringLiteral("<Measurement><Value Type=\"1\">12.5</Value></Measurement>"));
  QVariant value;
  rt::Long type = 0;
  XmlHelper::instance()->ReadValue(document->DocumentElement(), value, type);
  EXPECT_EQ(type, 1);
  EXPECT_DOUBLE_EQ(value.toDouble(), 12.5);
}

}  // namespace
