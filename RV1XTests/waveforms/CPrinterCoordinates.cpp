#include "waveforms/CPrinterCoordinates.h"

#include <cmath>

#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"

namespace orvanRV1Xtst {

namespace {

// Division of reals; a zero divisor is error 11, as the run time has it.
double divide(double dividend, double divisor) {
  if (divisor == 0.0) rt::raise(rt::err::DivisionByZero);
  return dividend / divisor;
}

// A value held to four decimals, as a fixed-point number holds it.
double fourDecimals(double value) {
  return rt::roundHalfEven(value * 10000.0) / 10000.0;
}

}  // namespace

void CPrinterCoordinates::SetPlotRect(const PlotRect& rect) {
  plot_ = rect;
  xAxis_.X1 = rect.Left;
  xAxis_.Y1 = rect.Bottom;
  xAxis_.X2 = rect.Right;
  xAxis_.Y2 = rect.Bottom;
  yAxis_.X1 = rect.Left;
  yAxis_.Y1 = rect.Top;
  yAxis_.X2 = rect.Left;
  yAxis_.Y2 = rect.Bottom;
}

void CPrinterCoordinates::SetWorldRect(rt::Single xMin, rt::Single yMin, rt::Single xMax,
                                       rt::Single yMax) {
  xMin_ = xMin;
  yMin_ = yMin;
  xMax_ = xMax;
  yMax_ = yMax;
}

void CPrinterCoordinates::SetData(const QList<rt::Single>& values, rt::Long xFactor) {
  rt::ignoreErrors([&] {
    if (values.isEmpty()) rt::raise(rt::err::SubscriptOutOfRange);
    xMin_ = 0;
    xMax_ = rt::toSingle(static_cast<double>(values.size()));
    yMin_ = yMax_ = values.at(0);
    for (rt::Single v : values) {
      if (v > yMax_) yMax_ = v;
      if (v < yMin_) yMin_ = v;
    }
    if (yMin_ > 0) yMin_ = 0;
    if (yMax_ < 0) yMax_ = 0;
    const rt::Single margin = rt::toSingle(rt::toSingle(double(yMax_) - yMin_) * 0.1);
    yMax_ = rt::toSingle(double(yMax_) + margin);
    yMin_ = rt::toSingle(double(yMin_) - margin);
    xMin_ = rt::toSingle(double(xMin_) * xFactor);
    xMax_ = rt::toSingle(double(xMax_) * xFactor);
  });
}

void CPrinterCoordinates::CalculateScale(rt::Long xInterval) {
  rt::ignoreErrors([&] {
    xAxis_.Scale = rt::toSingle(divide(double(plot_.Right) - plot_.Left, double(xMax_) - xMin_));
    xAxis_.Offset = rt::toLong(plot_.Left - double(xAxis_.Scale) * xMin_);
    yAxis_.Scale = rt::toSingle(divide(double(plot_.Bottom) - plot_.Top, double(yMax_) - yMin_));
    yAxis_.Offset = rt::toLong(double(yAxis_.Scale) * yMin_ + plot_.Bottom);
    SetXTicks(rt::toLong(xMin_), rt::toLong(xMax_), xInterval);
    SetYTicks(yMin_, yMax_);
  });
}

rt::Long CPrinterCoordinates::WorldToPageX(rt::Single x) const {
  return rt::toLong(double(x) * xAxis_.Scale + xAxis_.Offset);
}

rt::Long CPrinterCoordinates::WorldToPageY(rt::Single y) const {
  return rt::toLong(yAxis_.Offset - double(y) * yAxis_.Scale);
}

void CPrinterCoordinates::SetXTicks(rt::Long xMin, rt::Long xMax, rt::Long interval) {
  xAxis_.First = xMin;
  const rt::Long below = rt::intMod(xMin, interval);
  if (below > 0) xAxis_.First = rt::toLong(double(xMin) - below + interval);
  xAxis_.Last = rt::toLong(double(xMax) - rt::intMod(xMax, interval));
  const double span = double(xAxis_.Last) - xAxis_.First;
  const rt::Long n = rt::toLong(divide(span, interval));
  // The labelled spans: the largest of 9..2 that divides the intervals.
  rt::Long d = 1;
  if (n > 1) {
    for (rt::Long candidate = 9; candidate >= 2; --candidate) {
      if (n % candidate == 0) {
        d = candidate;
        break;
      }
    }
  }
  xAxis_.Interval = rt::intDiv(span, d);
  xAxis_.Divisor = interval;
}

void CPrinterCoordinates::SetYTicks(rt::Single yMin, rt::Single yMax) {
  // The smallest power of ten that makes the range whole, once the noise
  // of single precision is rounded away.
  rt::Single r = rt::toSingle(fourDecimals(rt::toSingle(double(yMax) - yMin)));
  rt::Long m = 1;
  while (r != std::trunc(r)) {
    r = rt::toSingle(fourDecimals(double(r) * 10));
    m = rt::toLong(double(m) * 10);
  }
  const rt::Long lo = rt::toLong(double(yMin) * m);
  const rt::Long hi = rt::toLong(double(yMax) * m);
  rt::Long interval = 0;
  NiceInterval(rt::toLong(double(hi) - lo), 11, interval);
  yAxis_.Interval = interval;
  const rt::Long loRest = rt::intMod(lo, interval);
  yAxis_.First = loRest > 0 ? rt::toLong(double(lo) - loRest + interval) : lo - loRest;
  const rt::Long hiRest = rt::intMod(hi, interval);
  yAxis_.Last = hiRest < 0 ? rt::toLong(double(hi) - hiRest - interval) : hi - hiRest;
  yAxis_.Divisor = m;
}

void CPrinterCoordinates::NiceInterval(rt::Long range, rt::Long maxCount, rt::Long& interval) {
  static const rt::Long kSteps[] = {1, 2, 5};
  for (double power = 1;; power *= 10) {
    for (rt::Long step : kSteps) {
      const rt::Long candidate = rt::toLong(step * power);
      if (rt::intDiv(range, candidate) <= maxCount) {
        interval = candidate;
        return;
      }
    }
  }
}

}  // namespace orvanRV1Xtst
