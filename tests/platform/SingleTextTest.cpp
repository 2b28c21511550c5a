// The stored text of a Single, made from its shortest digits, is the text
// the round trips of one precision after another gave, whether it is made
// on its own or appended to a text being built: on every number the stored
// documents of the tests and the templates hold, on the values at the edges
// of what a Single holds, and on a spread of others.

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "LocaleScope.h"
#include "QtPrinters.h"
#include "runtime/NumberDisplay.h"

namespace {

using testsupport::LocaleScope;

// The text as it was made before: the fewest significant digits whose text
// reads back as the value through a Double, written as that Double's
// shortest text.
QString byRoundTrips(float value) {
  if (value == 0.0f) return QStringLiteral("0");
  double shortest = value;
  for (int precision = 1; precision <= 9; ++precision) {
    shortest = QString::number(static_cast<double>(value), 'g', precision).toDouble();
    if (static_cast<float>(shortest) == value) break;
  }
  return QString::number(shortest, 'g', QLocale::FloatingPointShortest);
}

// The text made on its own and appended after a text already begun are
// both the round trips' text.
testing::AssertionResult hasTheRoundTripsText(float value) {
  const QString expected = byRoundTrips(value);
  const QString made = rt::numberText(value);
  const QString begun = QStringLiteral("-1.5;");
  QString appended = begun;
  rt::appendNumberText(appended, value);
  if (made == expected && appended == begun + expected) return testing::AssertionSuccess();
  return testing::AssertionFailure()
         << value << " gives \"" << qPrintable(made) << "\", appended \"" << qPrintable(appended)
         << "\", the round trips \"" << qPrintable(expected) << '"';
}

float fromBits(std::uint32_t bits) {
  return std::bit_cast<float>(bits);
}

// Every number in the stored documents under the folder, read as a loader
// reads a Single: through a Double.
QList<float> storedNumbers(const QString& folder, const QStringList& patterns) {
  static const QRegularExpression number(QStringLiteral("-?\\d+(?:\\.\\d+)?(?:[eE][-+]?\\d+)?"));
  QList<float> numbers;
  QDirIterator files(folder, patterns, QDir::Files, QDirIterator::Subdirectories);
  while (files.hasNext()) {
    QFile file(files.next());
    if (!file.open(QIODevice::ReadOnly)) continue;
    const QString text = QString::fromUtf8(file.readAll());
    for (auto match = number.globalMatch(text); match.hasNext();)
      numbers.append(static_cast<float>(match.next().captured().toDouble()));
  }
  return numbers;
}

TEST(SingleText, IsTheRoundTripsTextOnEveryStoredNumber) {
  LocaleScope germanLocale(LocaleScope::german());
  const QString source = QStringLiteral(RV1X_SOURCE_DIR);
  QList<float> numbers =
      storedNumbers(source + QStringLiteral("/tests"), {QStringLiteral("*.xml")}) +
      storedNumbers(source + QStringLiteral("/plugin"), {QStringLiteral("*.mpc")}) +
      storedNumbers(source + QStringLiteral("/scripts"), {QStringLiteral("*.mpc")});
  // The waveform of the catalogue's results alone holds hundreds.
  ASSERT_GT(numbers.size(), 1000);
  for (float value : numbers) {
    if (!std::isfinite(value)) continue;
    ASSERT_TRUE(hasTheRoundTripsText(value));
    ASSERT_TRUE(hasTheRoundTripsText(-value));
  }
}

TEST(SingleText, IsTheRoundTripsTextAtTheEdges) {
  using limits = std::numeric_limits<float>;
  QList<float> edges{
      0.0f, -0.0f,
      // subnormals: the least, the largest, and between
      limits::denorm_min(), 2 * limits::denorm_min(), fromBits(0x007fffff), fromBits(0x00400001),
      fromBits(0x000012ab), limits::min(), std::nextafter(limits::min(), 1.0f),
      // the largest Single and its neighbour
      limits::max(), std::nextafter(limits::max(), 0.0f), limits::lowest(),
      // the seventh digit rounds: up, down, through nines
      1.2345675f, 1.2345665f, 9.9999995f, 0.99999994f, 99.95f, 35.05f, 0.3f, 0.1f, 16777216.0f,
      16777217.0f, 9999999.0f, 8388607.5f, 1.0f / 3.0f, 2.0f / 3.0f, 1e-7f, 3.4e-5f,
      // halfway between two decimals of the shortest length
      1000000.125f, 1048576.625f, 0.375f, 2.5f, 1234.5f, 0.0009765625f, 16777.25f,
      // where the plain and the exponent form change
      1e-4f, std::nextafter(1e-4f, 0.0f), 1e-3f, 1.2e-4f, 1e4f, 1e5f, 1.5e6f, 1e10f, 1e11f,
      std::nextafter(1e11f, 0.0f), 1.2e-38f, 1e38f, 1e-45f};
  // Every power of two, whose neighbour below lies nearer than the one above.
  for (int exponent = -149; exponent <= 127; ++exponent) edges.append(std::ldexp(1.0f, exponent));
  // Every power of ten and its neighbours.
  for (int exponent = -45; exponent <= 38; ++exponent) {
    const float decade = static_cast<float>(std::pow(10.0, exponent));
    edges.append({decade, std::nextafter(decade, 0.0f), std::nextafter(decade, limits::max())});
  }
  // The Singles nearest the point halfway between two decimals of one to
  // eight digits, and their neighbours, in every decade the digits serve.
  for (int exponent = -12; exponent <= 10; ++exponent) {
    for (const double decimal : {1.0, 2.0, 12.0, 999.0, 31415.0, 2718281.0, 99999999.0}) {
      float near = static_cast<float>((decimal + 0.5) * std::pow(10.0, exponent));
      for (int step = 0; step < 4; ++step) near = std::nextafter(near, 0.0f);
      for (int step = 0; step < 9; ++step, near = std::nextafter(near, limits::max()))
        edges.append(near);
    }
  }
  for (float value : edges) {
    if (!std::isfinite(value)) continue;
    EXPECT_TRUE(hasTheRoundTripsText(value));
    EXPECT_TRUE(hasTheRoundTripsText(-value));
  }
}

TEST(SingleText, IsTheRoundTripsTextOnASpreadOfValues) {
  std::mt19937 random(20261211);
  std::uniform_int_distribution<std::uint32_t> bits;
  std::uniform_real_distribution<float> reading(0.0f, 400.0f);
  std::uniform_int_distribution<int> hundredths(-100000, 100000);
  for (int i = 0; i < 100000; ++i) {
    for (float value : {fromBits(bits(random)), reading(random),
                        static_cast<float>(hundredths(random) / 100.0)}) {
      if (!std::isfinite(value)) continue;
      ASSERT_TRUE(hasTheRoundTripsText(value));
    }
  }
}

}  // namespace
