#include "Figures.h"

#include <QHash>
#include <cmath>
#include <cstdio>

namespace bench {

namespace {

QString amount(double value, const QString& unit) {
  const int decimals = unit == QLatin1String("%") || std::abs(value) < 10 ? 2
                       : value >= 1000                                    ? 0
                                                                          : 1;
  // A difference of two measurements may come out a hair below nothing.
  const double shown = std::abs(value) < 0.5 * std::pow(10.0, -decimals) ? 0.0 : value;
  return QString::number(shown, 'f', decimals) + u' ' + unit;
}

}  // namespace

QString before(const QString& what) {
  // Release build, one run of rv1x-bench on the development machine.
  static const QHash<QString, QString> values{};
  return values.value(what);
}

void Figures::print() const {
  std::printf("\n%-46s %12s %12s %8s %9s %-6s  %s\n", "figure", "measured", "against", "ratio",
              "goal", "", "before");
  for (const Figure& f : figures_) {
    if (!f.problem.isEmpty()) {
      std::printf("%-46s not measured: %s\n", qPrintable(f.what), qPrintable(f.problem));
      continue;
    }
    const bool ratioed = f.reference > 0;
    const double judged = ratioed ? f.measured / f.reference : f.measured;
    const bool met = ratioed ? judged <= f.goal : judged < f.goal;
    const QString goal = f.goal <= 0 ? QStringLiteral("none")
                         : ratioed   ? QStringLiteral("<= %1").arg(f.goal, 0, 'f', 2)
                                     : QStringLiteral("< %1").arg(amount(f.goal, f.unit));
    std::printf("%-46s %12s %12s %8s %9s %-6s  %s\n", qPrintable(f.what),
                qPrintable(amount(f.measured, f.unit)),
                ratioed ? qPrintable(amount(f.reference, f.unit)) : "",
                ratioed ? qPrintable(QString::number(judged, 'f', 3)) : "", qPrintable(goal),
                f.goal <= 0 ? "" : (met ? "met" : "MISSED"), qPrintable(before(f.what)));
  }
}

}  // namespace bench
