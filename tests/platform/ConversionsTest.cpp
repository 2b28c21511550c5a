// The run time's conversions: nearest integer with halves to even, overflow,
// integer division, the leading-number parse and variant conversions.

#include <gtest/gtest.h>

#include <QLocale>
#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>

#include "LocaleScope.h"
#include "QtPrinters.h"
#include "TestSupport.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Locale.h"

namespace {

using testsupport::errorOf;

using testsupport::LocaleScope;

TEST(Conversions, IntegersTakeTheNearestWithHalvesToEven) {
  const struct {
    double in;
    rt::Integer out;
  } cases[] = {{0.5, 0},         {1.5, 2},           {2.5, 2},         {3.5, 4},    {-0.5, 0},
               {-1.5, -2},       {-2.5, -2},         {2.4999, 2},      {2.5001, 3}, {-2.6, -3},
               {32767.4, 32767}, {-32768.5, -32768}, {32766.5, 32766}, {0.0, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(rt::toInteger(c.in), c.out) << c.in;
    EXPECT_EQ(rt::toLong(c.in), c.out) << c.in;
  }
  EXPECT_EQ(rt::toLong(2147483646.5), 2147483646);
  EXPECT_EQ(rt::toLong(-2147483648.4), std::numeric_limits<rt::Long>::min());
}

TEST(Conversions, OutOfRangeRaisesOverflow) {
  for (double v : {32767.5, 32768.0, -32768.6, -32769.0, 1e10, std::nan(""), HUGE_VAL})
    EXPECT_EQ(errorOf([&] { rt::toInteger(v); }), 6) << v;
  for (double v : {2147483647.5, 2147483648.0, -2147483648.6, 1e12, std::nan("")})
    EXPECT_EQ(errorOf([&] { rt::toLong(v); }), 6) << v;
  EXPECT_EQ(errorOf([] { rt::toLong(40000.0); }), 0);
  EXPECT_EQ(errorOf([] { rt::toSingle(1e39); }), 6);
  EXPECT_EQ(errorOf([] { rt::toSingle(-1e39); }), 6);
  EXPECT_FLOAT_EQ(rt::toSingle(1e38), 1e38f);
}

TEST(Conversions, IntegerDivisionRoundsOperandsAndTruncatesTowardsZero) {
  const struct {
    double a, b;
    rt::Long quotient, remainder;
  } cases[] = {{7, 2, 3, 1},     {-7, 2, -3, -1}, {7, -2, -3, 1}, {-7, -2, 3, -1},
               {7.5, 2, 4, 0},   {6.5, 2, 3, 0},  {7, 2.5, 3, 1}, {7, 1.5, 3, 1},
               {-7.5, 2, -4, 0}, {0, 5, 0, 0},    {1, 0.6, 1, 0}, {100, 7, 14, 2}};
  for (const auto& c : cases) {
    EXPECT_EQ(rt::intDiv(c.a, c.b), c.quotient) << c.a << " \\ " << c.b;
    EXPECT_EQ(rt::intMod(c.a, c.b), c.remainder) << c.a << " Mod " << c.b;
  }
}

TEST(Conversions, IntegerDivisionByZeroRaises11) {
  for (double divisor : {0.0, 0.4, -0.5}) {
    EXPECT_EQ(errorOf([&] { rt::intDiv(5, divisor); }), 11) << divisor;
    EXPECT_EQ(errorOf([&] { rt::intMod(5, divisor); }), 11) << divisor;
  }
  EXPECT_EQ(errorOf([] { rt::intDiv(1e12, 2); }), 6);
}

TEST(Conversions, ValReadsTheLeadingNumber) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"12.5", 12.5},   {"  12.5  ", 12.5},
      {"1 2.5", 12.5},  {"1\t2\n3", 123},
      {"-3.25", -3.25}, {"+4", 4},
      {"- 4", -4},      {".5", 0.5},
      {"-.5", -0.5},    {"1.5.6", 1.5},
      {"12abc", 12},    {"12,5", 12},
      {"1e3", 1000},    {"1E-2", 0.01},
      {"2.5e+2x", 250}, {"1D2", 100},
      {"12e", 12},      {"12e+", 12},
      {"3-4", 3},       {"400ABC", 400},
      {"abc", 0},       {"", 0},
      {".", 0},         {"-", 0},
      {"+-5", 0},       {"e5", 0},
      {"0012", 12},     {"1 000 000", 1e6},
      {"0.1", 0.1},     {"123456789.123", 123456789.123},
  };
  for (const auto& c : cases)
    EXPECT_DOUBLE_EQ(rt::val(QString::fromUtf8(c.text)), c.value) << c.text;
}

TEST(Conversions, ValStopsAtACarriageReturn) {
  // Analyzer replies end with CR and the prompt; a CR is not a blank.
  EXPECT_DOUBLE_EQ(rt::val(QStringLiteral("12\r3")), 12);
  EXPECT_DOUBLE_EQ(rt::val(QStringLiteral("7.5\r>")), 7.5);
}

TEST(Conversions, ValTakesThePointWhateverTheLocale) {
  LocaleScope german(LocaleScope::german());
  EXPECT_DOUBLE_EQ(rt::val(QStringLiteral("2.5")), 2.5);
  EXPECT_DOUBLE_EQ(rt::val(QStringLiteral("2,5")), 2);
}

TEST(Conversions, ValOfANumberBeyondTheDoubleRangeOverflows) {
  // However the number is written: an exponent, or a long run of digits.
  for (const QString& text : {QStringLiteral("1e400"), QStringLiteral("1") + QString(400, u'0'),
                              QStringLiteral("-") + QString(320, u'9') + QStringLiteral(".5")})
    EXPECT_EQ(errorOf([&] { rt::val(text); }), 6) << text.size();
  // Digits that only lose precision, or a value too small to hold, are no overflow.
  EXPECT_DOUBLE_EQ(rt::val(QStringLiteral("1") + QString(300, u'0')), 1e300);
  EXPECT_DOUBLE_EQ(rt::val(QStringLiteral("0.") + QString(400, u'0') + QStringLiteral("1")), 0);
}

TEST(Conversions, ValReadsEveryNumberToTheSameBitsAsTheCLocale) {
  // The edges of the range and of the subnormals, signed zeros, digits
  // that round at the last place, and a spread of values in each form a
  // stored file or a reply writes them.
  QStringList texts{QStringLiteral("0"),
                    QStringLiteral("-0"),
                    QStringLiteral("-0.000"),
                    QStringLiteral("+0"),
                    QStringLiteral("-.0"),
                    QStringLiteral("-0."),
                    QStringLiteral("00.0"),
                    QStringLiteral("0e5"),
                    QStringLiteral("-0e-5"),
                    QStringLiteral("1.7976931348623157e308"),
                    QStringLiteral("-1.7976931348623157e+308"),
                    QStringLiteral("2.2250738585072014e-308"),
                    QStringLiteral("2.2250738585072011e-308"),
                    QStringLiteral("4.9406564584124654e-324"),
                    QStringLiteral("3.4028234663852886e38"),
                    QStringLiteral("1.40129846e-45"),
                    QStringLiteral("0.30000000000000004"),
                    QStringLiteral("9007199254740993"),
                    QStringLiteral("999999999999999"),
                    QStringLiteral("-0.00000000000001"),
                    QStringLiteral("1234567.89012345"),
                    QStringLiteral("1.00000005"),
                    QStringLiteral("+12.5e-3"),
                    QStringLiteral("5."),
                    QStringLiteral("-.25"),
                    QStringLiteral("0.") + QString(30, u'0') + QStringLiteral("123456789")};
  std::uint64_t state = 0x9E3779B97F4A7C15u;
  for (int i = 0; i < 2000; ++i) {
    state = state * 6364136223846793005u + 1442695040888963407u;
    const double value =
        std::ldexp(static_cast<double>(state >> 11), static_cast<int>(state % 200) - 150);
    const double signedValue = state & 1 ? -value : value;
    texts << QString::number(signedValue, 'g', 17) << QString::number(signedValue, 'e', 6)
          << QString::number(signedValue, 'g', 15) << QString::number(signedValue, 'g', 16)
          << QString::number(static_cast<float>(signedValue), 'g', 9);
  }
  for (const QString& text : texts) {
    const double expected = QLocale::c().toDouble(text);
    const double read = rt::val(text);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(read), std::bit_cast<std::uint64_t>(expected))
        << qPrintable(text);
  }
}

TEST(Conversions, ValOfAPartOfATextReadsAsThatPartAlone) {
  // A field read where it lies: nothing after its end is taken, however
  // long the number, and it fails as the same text on its own fails.
  const QStringList fields{QStringLiteral("1.5abc"),
                           QStringLiteral(" -2 "),
                           QStringLiteral("x"),
                           QStringLiteral("7e"),
                           QStringLiteral("-0"),
                           QStringLiteral("3.4028235e38"),
                           QStringLiteral("1e400"),
                           QStringLiteral("0.") + QString(45, u'0') + QStringLiteral("12"),
                           QStringLiteral("1") + QString(44, u'0') + QStringLiteral(".5"),
                           QStringLiteral("1") + QString(45, u'0') + QStringLiteral(".5"),
                           QStringLiteral("1") + QString(46, u'0') + QStringLiteral(".5"),
                           QStringLiteral("1") + QString(300, u'0'),
                           QStringLiteral("-") + QString(320, u'9') + QStringLiteral(".5")};
  for (const QString& field : fields) {
    const QString text = field + QStringLiteral("25e3;1");
    const QStringView part = QStringView(text).left(field.size());
    double alone = 0, inPlace = 0;
    const rt::Long aloneError = errorOf([&] { alone = rt::val(field); });
    const rt::Long inPlaceError = errorOf([&] { inPlace = rt::val(part); });
    EXPECT_EQ(inPlaceError, aloneError) << qPrintable(field);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(inPlace), std::bit_cast<std::uint64_t>(alone))
        << qPrintable(field);
  }
}

TEST(Conversions, ValReadsFixedColumnsOfAReply) {
  // A reply read by 1-based columns: each field's value is the number at its
  // start, 0 when the field holds none.
  const QString reply = QStringLiteral(" 12.5  035.0 ---   7\r>");
  auto field = [&](int column, int width) { return rt::val(reply.mid(column - 1, width)); };
  EXPECT_DOUBLE_EQ(field(1, 6), 12.5);
  EXPECT_DOUBLE_EQ(field(7, 6), 35);
  EXPECT_DOUBLE_EQ(field(14, 4), 0);
  EXPECT_DOUBLE_EQ(field(18, 3), 7);
  EXPECT_DOUBLE_EQ(field(30, 5), 0);  // past the end
}

TEST(Conversions, VariantsConvertAsTheRunTimeDoes) {
  EXPECT_EQ(rt::toInteger(QVariant()), 0);
  EXPECT_EQ(rt::toLong(QVariant()), 0);
  EXPECT_EQ(rt::toSingle(QVariant()), 0.0f);
  EXPECT_EQ(rt::toInteger(QVariant(true)), -1);
  EXPECT_EQ(rt::toLong(QVariant(false)), 0);
  EXPECT_EQ(rt::toInteger(QVariant(QStringLiteral(" 42 "))), 42);
  EXPECT_EQ(rt::toLong(QVariant(QStringLiteral("2.5"))), 2);
  EXPECT_EQ(rt::toLong(QVariant(QStringLiteral("600"))), 600);
  EXPECT_FLOAT_EQ(rt::toSingle(QVariant(QStringLiteral("1.25"))), 1.25f);
  EXPECT_EQ(rt::toInteger(QVariant(3.5)), 4);
  EXPECT_EQ(rt::toLong(QVariant::fromValue<float>(2.5f)), 2);
  EXPECT_EQ(errorOf([] { rt::toInteger(QVariant(40000)); }), 6);
  for (const char* text : {"abc", "", "12abc", "1.2.3"})
    EXPECT_EQ(errorOf([&] { rt::toLong(QVariant(QString::fromUtf8(text))); }), 13) << text;
  EXPECT_TRUE(rt::toBoolean(QVariant(QStringLiteral("True"))));
  EXPECT_FALSE(rt::toBoolean(QVariant(QStringLiteral("False"))));
  EXPECT_TRUE(rt::toBoolean(QVariant(-1)));
  EXPECT_FALSE(rt::toBoolean(QVariant()));
  EXPECT_EQ(errorOf([] { rt::toBoolean(QVariant(QStringLiteral("yes"))); }), 13);
  EXPECT_TRUE(rt::isEmpty(QVariant()));
  EXPECT_FALSE(rt::isEmpty(QVariant(0)));
  EXPECT_FALSE(rt::isEmpty(QVariant(QString())));
}

TEST(Conversions, NumericTextInTheUsersLocaleConverts) {
  LocaleScope german(LocaleScope::german());
  EXPECT_DOUBLE_EQ(rt::toDouble(QVariant(QStringLiteral("2,5"))), 2.5);
  EXPECT_DOUBLE_EQ(rt::toDouble(QVariant(QStringLiteral("2.5"))), 2.5);
}

TEST(Conversions, GeneralTextIsShortestInTheUsersLocale) {
  const struct {
    double value;
    const char* en;
    const char* de;
  } doubles[] = {{12.5, "12.5", "12,5"},
                 {-0.25, "-0.25", "-0,25"},
                 {1234567, "1234567", "1234567"},
                 {0.1, "0.1", "0,1"},
                 {1e15, "1E+15", "1E+15"},
                 {1.5e-5, "1.5E-05", "1,5E-05"},
                 {0, "0", "0"},
                 {123456789012345.0, "123456789012345", "123456789012345"}};
  for (const auto& c : doubles) {
    {
      LocaleScope english(LocaleScope::english());
      EXPECT_EQ(rt::cstr(c.value), QString::fromUtf8(c.en)) << c.value;
    }
    LocaleScope german(LocaleScope::german());
    EXPECT_EQ(rt::cstr(c.value), QString::fromUtf8(c.de)) << c.value;
  }
  EXPECT_EQ(rt::cstr(0.1f), QStringLiteral("0.1"));
  EXPECT_EQ(rt::cstr(1.0f / 3.0f), QStringLiteral("0.3333333"));
  EXPECT_EQ(rt::cstr(1e7f), QStringLiteral("1E+07"));
  EXPECT_EQ(rt::cstr(QVariant()), QString());
  EXPECT_EQ(rt::cstr(QVariant(true)), QStringLiteral("True"));
  EXPECT_EQ(rt::cstr(QVariant(false)), QStringLiteral("False"));
  EXPECT_EQ(rt::cstr(QVariant::fromValue<short>(-7)), QStringLiteral("-7"));
  EXPECT_EQ(rt::cstr(QVariant::fromValue<float>(2.5f)), QStringLiteral("2.5"));
  EXPECT_EQ(rt::cstr(QVariant(QStringLiteral("text"))), QStringLiteral("text"));
  LocaleScope german(LocaleScope::german());
  EXPECT_EQ(rt::cstr(QVariant::fromValue<float>(0.5f)), QStringLiteral("0,5"));
}

}  // namespace
