// Display patterns in the user's locale, and the locale-independent number
// text of stored documents.

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <cmath>
#include <cstring>
#include <random>

#include "LocaleScope.h"
#include "QtPrinters.h"
#include "runtime/Conversions.h"
#include "runtime/NumberDisplay.h"

namespace {

using testsupport::LocaleScope;

struct PatternCase {
  double value;
  const char* pattern;
  const char* en;  // the German text is the same with "," for "."
};

QString german(const char* english) {
  return QString::fromUtf8(english).replace(u'.', u',');
}

const PatternCase kPatterns[] = {
    {1234.5, "# ##0.00", "1 234.50"},
    {1234567.891, "# ##0.00", "1 234 567.89"},
    {0.125, "# ##0.00", "0.13"},
    {-0.125, "# ##0.00", "-0.13"},
    {0.004, "# ##0.00", "0.00"},
    {-0.004, "# ##0.00", "0.00"},
    {999.995, "# ##0.00", "1 000.00"},
    {12, "# ##0.00", "12.00"},
    {-1234.56, "# ##0.0", "-1 234.6"},
    {0.05, "# ##0.0", "0.1"},
    {0.25, "# ##0.0", "0.3"},
    {100, "# ##0.0", "100.0"},
    {1234.5, "# ##0", "1 235"},
    {999.5, "# ##0", "1 000"},
    {-2.5, "# ##0", "-3"},
    {0.4, "# ##0", "0"},
    {2.25, "0.0", "2.3"},
    {2.35, "0.0", "2.4"},
    {-2.25, "0.0", "-2.3"},
    {12345.67, "0.0", "12345.7"},
    {0.5, "#0", "1"},
    {1.5, "#0", "2"},
    {2.5, "#0", "3"},
    {-2.5, "#0", "-3"},
    {2.4999, "#0", "2"},
    {1234, "#0", "1234"},
    {0, "#0", "0"},
    {7.5, "0", "8"},
    {5, "00", "05"},
    {12, "00", "12"},
    {100, "00", "100"},
    {0.5, "00", "01"},
    {0.5, "#.00", ".50"},
    {1.25, "# ##0.000", "1.250"},
    {1234.0625, "# ##0.0000", "1 234.0625"},
    {0.00005, "# ##0.0000", "0.0001"},
};

TEST(NumberDisplay, PatternsInEnglishAndGerman) {
  for (const PatternCase& c : kPatterns) {
    const QString pattern = QString::fromUtf8(c.pattern);
    {
      LocaleScope english(LocaleScope::english());
      EXPECT_EQ(rt::formatNumber(c.value, pattern), QString::fromUtf8(c.en))
          << c.value << " '" << c.pattern << "'";
    }
    LocaleScope germanLocale(LocaleScope::german());
    EXPECT_EQ(rt::formatNumber(c.value, pattern), german(c.en))
        << c.value << " '" << c.pattern << "'";
  }
}

TEST(NumberDisplay, SinglesShowTheDigitsASingleHas) {
  LocaleScope english(LocaleScope::english());
  // 2.675f is 2.67499995..., but a Single shows "2.675", which rounds up.
  EXPECT_EQ(rt::formatNumber(2.675f, QStringLiteral("# ##0.00")), QStringLiteral("2.68"));
  EXPECT_EQ(rt::formatNumber(0.1f, QStringLiteral("0.0")), QStringLiteral("0.1"));
  EXPECT_EQ(rt::formatNumber(1234.5f, QStringLiteral("# ##0")), QStringLiteral("1 235"));
  EXPECT_EQ(rt::formatNumber(-12.25f, QStringLiteral("# ##0.0")), QStringLiteral("-12.3"));
  EXPECT_EQ(rt::format(QVariant::fromValue<float>(35.05f), QStringLiteral("# ##0.0")),
            QStringLiteral("35.1"));
}

TEST(NumberDisplay, FormatOfVariants) {
  LocaleScope english(LocaleScope::english());
  EXPECT_EQ(rt::format(QVariant(), QStringLiteral("#0")), QString());
  EXPECT_EQ(rt::format(QVariant(12.5), QStringLiteral("#0")), QStringLiteral("13"));
  EXPECT_EQ(rt::format(QVariant(7), QStringLiteral("00")), QStringLiteral("07"));
  EXPECT_EQ(rt::format(QVariant::fromValue<short>(3), QStringLiteral("00")), QStringLiteral("03"));
  EXPECT_EQ(rt::format(QVariant(true), QStringLiteral("0")), QStringLiteral("-1"));
  EXPECT_EQ(rt::format(QVariant(true), QString()), QStringLiteral("True"));
  // Numeric text is formatted, any other text comes back unchanged.
  EXPECT_EQ(rt::format(QVariant(QStringLiteral("50")), QStringLiteral("#0")), QStringLiteral("50"));
  EXPECT_EQ(rt::format(QVariant(QStringLiteral("2.5")), QStringLiteral("#0")), QStringLiteral("3"));
  for (const char* text : {"Sine 60 BPM", "1,0 mV", "50 Ohm", "", "abc"})
    EXPECT_EQ(rt::format(QVariant(QString::fromUtf8(text)), QStringLiteral("#0")),
              QString::fromUtf8(text));
  EXPECT_EQ(rt::format(QVariant(QStringLiteral("12.50")), QString()), QStringLiteral("12.50"));
  EXPECT_EQ(rt::format(QVariant(2.5), QString()), QStringLiteral("2.5"));

  LocaleScope germanLocale(LocaleScope::german());
  EXPECT_EQ(rt::format(QVariant(QStringLiteral("2,5")), QStringLiteral("0.0")),
            QStringLiteral("2,5"));
  EXPECT_EQ(rt::format(QVariant(QStringLiteral("1,0 mV")), QStringLiteral("#0")),
            QStringLiteral("1,0 mV"));
  EXPECT_EQ(rt::format(QVariant(2.5), QString()), QStringLiteral("2,5"));
}

TEST(NumberDisplay, NumberTextIsLocaleIndependentAndShortest) {
  const struct {
    QVariant value;
    const char* text;
  } cases[] = {
      {QVariant(12.5), "12.5"},
      {QVariant(0.1), "0.1"},
      {QVariant(-3.0), "-3"},
      {QVariant(0.0), "0"},
      {QVariant(1e20), "1e+20"},
      {QVariant::fromValue<float>(0.1f), "0.1"},
      {QVariant::fromValue<float>(35.05f), "35.05"},
      {QVariant::fromValue<float>(1.0f / 3.0f), "0.33333334"},
      {QVariant::fromValue<float>(100.0f), "100"},
      {QVariant::fromValue<float>(1e20f), "1e+20"},
      {QVariant::fromValue<float>(-2.5e-7f), "-2.5e-07"},
      {QVariant::fromValue<short>(-12), "-12"},
      {QVariant(600), "600"},
      {QVariant(true), "True"},
      {QVariant(false), "False"},
      {QVariant(), ""},
      {QVariant(QStringLiteral("2.50")), "2.5"},
  };
  for (const QLocale& locale : {LocaleScope::english(), LocaleScope::german()}) {
    LocaleScope scope(locale);
    for (const auto& c : cases)
      EXPECT_EQ(rt::numberText(c.value), QString::fromUtf8(c.text))
          << qPrintable(locale.name()) << " " << c.text;
  }
}

TEST(NumberDisplay, SinglesRoundTripExactlyThroughTheStoredText) {
  LocaleScope germanLocale(LocaleScope::german());
  std::mt19937 random(1234567);
  std::uniform_int_distribution<std::uint32_t> bits;
  std::uniform_real_distribution<float> ordinary(-5000.0f, 5000.0f);
  int checked = 0;
  auto check = [&](float value) {
    if (!std::isfinite(value)) return;
    const QString text = rt::numberText(value);
    const float back = static_cast<float>(rt::val(text));
    ASSERT_TRUE(back == value) << value << " -> '" << qPrintable(text) << "' -> " << back;
    ASSERT_FALSE(text.contains(u',')) << qPrintable(text);
    // Shortest: no text with fewer significant digits reads back as the value.
    QString mantissa = text.section(u'e', 0, 0).remove(u'-').remove(u'.');
    mantissa.remove(QRegularExpression(QStringLiteral("^0+|0+$")));
    const int digits = static_cast<int>(mantissa.size());
    if (digits > 1) {
      const QString shorter = QString::number(static_cast<double>(value), 'g', digits - 1);
      ASSERT_NE(static_cast<float>(rt::val(shorter)), value)
          << qPrintable(text) << " vs " << qPrintable(shorter);
    }
    ++checked;
  };
  for (int i = 0; i < 10000; ++i) {
    std::uint32_t raw = bits(random);
    float value = 0;
    std::memcpy(&value, &raw, sizeof value);
    check(value);
    check(ordinary(random));
  }
  for (float v : {0.0f, -0.0f, 1e-45f, 3.4028235e38f, 16777217.0f, 0.3f, 99.95f}) check(v);
  EXPECT_GT(checked, 15000);
}

TEST(NumberDisplay, DoublesRoundTripExactlyThroughTheStoredText) {
  std::mt19937_64 random(7654321);
  for (int i = 0; i < 20000; ++i) {
    std::uint64_t raw = random();
    double value = 0;
    std::memcpy(&value, &raw, sizeof value);
    if (!std::isfinite(value)) continue;
    const QString text = rt::numberText(value);
    ASSERT_EQ(rt::val(text), value) << qPrintable(text);
  }
}

}  // namespace
