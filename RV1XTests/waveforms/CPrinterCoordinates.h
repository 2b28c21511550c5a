#pragma once
// Maps the samples of a printed chart from world coordinates (x the sample
// index, y the value) to the report's page coordinates, and chooses the
// ticks of both axes. Page y grows downwards, world y upwards.
//
// Use: SetPlotRect, SetData, CalculateScale, then the axis records and the
// page positions. SetData and CalculateScale stop silently at the first
// failure (an empty world range, an overflow, no samples), keeping what they
// set before it; everything else keeps its previous value, 0 for a fresh
// object. A fresh object's axes are all 0.

#include <QList>

#include "runtime/Types.h"

namespace orvanRV1Xtst {

struct PlotRect {
  rt::Long Left = 0;
  rt::Long Top = 0;
  rt::Long Right = 0;
  rt::Long Bottom = 0;
};

struct AxisInfo {
  // Ticks: world x for the X axis; world y times Divisor for the Y axis.
  rt::Long First = 0;
  rt::Long Last = 0;
  rt::Long Interval = 0;
  // X: world units per displayed unit (samples per millisecond); Y: the
  // power of ten by which the tick values were multiplied.
  rt::Long Divisor = 0;
  rt::Long Offset = 0;   // page coordinate of world 0
  rt::Single Scale = 0;  // page units per world unit
  rt::Long X1 = 0;       // the axis line on the page
  rt::Long Y1 = 0;
  rt::Long X2 = 0;
  rt::Long Y2 = 0;
};

class CPrinterCoordinates {
 public:
  AxisInfo XAxis() const { return xAxis_; }
  AxisInfo YAxis() const { return yAxis_; }
  rt::Single XMin() const { return xMin_; }
  rt::Single XMax() const { return xMax_; }

  // Also lays the axis lines along the rectangle's bottom and left edges.
  void SetPlotRect(const PlotRect& rect);
  void SetWorldRect(rt::Single xMin, rt::Single yMin, rt::Single xMax, rt::Single yMax);
  // World x runs from 0 to one past the last sample (times xFactor); world
  // y covers the samples and zero, with a tenth of the range added above
  // and below.
  void SetData(const QList<rt::Single>& values, rt::Long xFactor);
  // xInterval: world x units per displayed unit, the X axis's Divisor.
  void CalculateScale(rt::Long xInterval);

  // Errors (overflow, no scale) reach the caller.
  rt::Long WorldToPageX(rt::Single x) const;
  rt::Long WorldToPageY(rt::Single y) const;

  // The first of 1, 2, 5, 10, 20, 50, ... that cuts the range into at most
  // maxCount whole intervals.
  static void NiceInterval(rt::Long range, rt::Long maxCount, rt::Long& interval);

 private:
  void SetXTicks(rt::Long xMin, rt::Long xMax, rt::Long interval);
  void SetYTicks(rt::Single yMin, rt::Single yMax);

  PlotRect plot_;
  rt::Single xMin_ = 0;
  rt::Single yMin_ = 0;
  rt::Single xMax_ = 0;
  rt::Single yMax_ = 0;
  AxisInfo xAxis_;
  AxisInfo yAxis_;
};

}  // namespace orvanRV1Xtst
