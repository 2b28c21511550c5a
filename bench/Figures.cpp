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
  // One run of rv1x-bench, RelWithDebInfo build, on a shared machine under
  // load: the ratio, or the value where a figure has no reference.
  static const QHash<QString, QString> values{
      {QStringLiteral("rv1x-host --help against a bare Qt program"), QStringLiteral("3.236")},
      {QStringLiteral("rv1x-host catalogue against --help"), QStringLiteral("1.265")},
      // The two above multiplied: catalogue was not timed against the bare
      // program on its own then.
      {QStringLiteral("rv1x-host catalogue against a bare Qt program"), QStringLiteral("4.094")},
      {QStringLiteral("resave 1000 against a plain Qt copy"), QStringLiteral("8.233")},
      {QStringLiteral("resave 1000 peak memory against the file"), QStringLiteral("26.677")},
      {QStringLiteral("export 1000 against resave"), QStringLiteral("0.690")},
      // Estimated from the instructions of export and of resave without its
      // save (callgrind): the read alone had no figure of its own then.
      {QStringLiteral("export 1000 against resave's read alone"), QStringLiteral("1.069")},
      {QStringLiteral("report 1000, per element"), QStringLiteral("6.80 ms")},
      {QStringLiteral("resave 10000 against a plain Qt copy"), QStringLiteral("13.952")},
      {QStringLiteral("resave 10000 peak memory against the file"), QStringLiteral("16.578")},
      {QStringLiteral("export 10000 against resave"), QStringLiteral("0.952")},
      {QStringLiteral("report 10000, per element"), QStringLiteral("8.15 ms")},
      {QStringLiteral("resave per element, 10000 against 1000"), QStringLiteral("0.813")},
  };
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
