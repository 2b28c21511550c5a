// The chart's coordinate mapping: world ranges from the samples, ticks of
// both axes, and page positions.

#include <gtest/gtest.h>

#include "waveforms/CPrinterCoordinates.h"

namespace {

using orvanRV1Xtst::AxisInfo;
using orvanRV1Xtst::CPrinterCoordinates;
using orvanRV1Xtst::PlotRect;

const PlotRect kPlot{3000, 2000, 9000, 4100};

CPrinterCoordinates mapped(const QList<rt::Single>& values, rt::Long xInterval) {
  CPrinterCoordinates c;
  c.SetPlotRect(kPlot);
  c.SetData(values, 1);
  c.CalculateScale(xInterval);
  return c;
}

TEST(PrinterCoordinates, TimeTicksFromTheSampleCountAndRate) {
  struct Case {
    int samples;
    rt::Long rate;
    rt::Long first, last, interval;
  };
  const Case cases[] = {
      {150, 10, 0, 150, 30},       // 15 intervals in 5 labelled spans
      {155, 10, 0, 150, 30},       // rounded down to the last whole interval
      {1000, 250, 0, 1000, 250},   // 4 in 4
      {3250, 250, 0, 3250, 3250},  // 13 is prime: one span
      {3, 10, 0, 0, 0},            // no whole interval
      {20, 10, 0, 20, 10},         // two intervals in two spans
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.samples << " samples at " << c.rate);
    const AxisInfo x = mapped(QList<rt::Single>(c.samples, 1.0f), c.rate).XAxis();
    EXPECT_EQ(x.First, c.first);
    EXPECT_EQ(x.Last, c.last);
    EXPECT_EQ(x.Interval, c.interval);
    EXPECT_EQ(x.Divisor, c.rate);
  }
}

TEST(PrinterCoordinates, CurrentTicksFromTheValueRange) {
  struct Case {
    QList<rt::Single> values;
    rt::Single yMin, yMax;  // after the margin
    rt::Long first, last, interval, divisor;
  };
  QList<rt::Single> spike(150, 0.0f);
  spike[40] = 50.3f;
  const Case cases[] = {
      {{1, 2, 3}, -0.3f, 3.3f, 0, 30, 5, 10},  // zero is forced in
      {{-12, 3}, -13.5f, 4.5f, -14, 4, 2, 1},  // halves to even: -13.5 -> -14, 4.5 -> 4
      {spike, -5.03f, 55.33f, 0, 5000, 1000, 100}, {{-0.4f, 0.2f}, -0.46f, 0.26f, -40, 20, 10, 100},
      {{-5, -1}, -5.5f, 0.5f, -6, 0, 1, 1},  // all below zero: -5.5 -> -6, 0.5 -> 0
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.values.size() << " values from " << c.values.first());
    const CPrinterCoordinates m = mapped(c.values, 10);
    const AxisInfo y = m.YAxis();
    EXPECT_EQ(y.First, c.first);
    EXPECT_EQ(y.Last, c.last);
    EXPECT_EQ(y.Interval, c.interval);
    EXPECT_EQ(y.Divisor, c.divisor);
    // The world range lands on the plot's edges.
    EXPECT_NEAR(m.WorldToPageY(c.yMin), kPlot.Bottom, 1);
    EXPECT_NEAR(m.WorldToPageY(c.yMax), kPlot.Top, 1);
    EXPECT_EQ(m.WorldToPageX(m.XMin()), kPlot.Left);
    EXPECT_EQ(m.WorldToPageX(m.XMax()), kPlot.Right);
  }
}

TEST(PrinterCoordinates, AxisLinesAndScales) {
  const CPrinterCoordinates m = mapped(QList<rt::Single>(150, 1.0f), 10);
  const AxisInfo x = m.XAxis();
  EXPECT_EQ((QList<rt::Long>{x.X1, x.Y1, x.X2, x.Y2}), (QList<rt::Long>{3000, 4100, 9000, 4100}));
  EXPECT_FLOAT_EQ(x.Scale, 40.0f);  // 6000 page units over 150 samples
  EXPECT_EQ(x.Offset, 3000);
  EXPECT_EQ(m.XMin(), 0.0f);
  EXPECT_EQ(m.XMax(), 150.0f);
  EXPECT_EQ(m.WorldToPageX(30), 4200);

  const AxisInfo y = m.YAxis();
  EXPECT_EQ((QList<rt::Long>{y.X1, y.Y1, y.X2, y.Y2}), (QList<rt::Long>{3000, 2000, 3000, 4100}));
  // World y -0.1..1.1 over 2100 page units; world 0 sits 175 above the bottom.
  EXPECT_NEAR(y.Scale, 1750.0f, 0.01f);
  EXPECT_EQ(y.Offset, 3925);
  EXPECT_EQ(m.WorldToPageY(0), 3925);
  EXPECT_EQ(m.WorldToPageY(1), 2175);
}

TEST(PrinterCoordinates, AnEmptyRangeStopsTheScaleWhereItFails) {
  // All samples 0: the Y range is empty; the X scale is set, nothing after.
  const CPrinterCoordinates zero = mapped(QList<rt::Single>(150, 0.0f), 10);
  EXPECT_FLOAT_EQ(zero.XAxis().Scale, 40.0f);
  EXPECT_EQ(zero.XAxis().Offset, 3000);
  EXPECT_EQ(zero.YAxis().Scale, 0.0f);
  EXPECT_EQ(zero.YAxis().Offset, 0);
  for (const AxisInfo& axis : {zero.XAxis(), zero.YAxis()}) {
    EXPECT_EQ(axis.First, 0);
    EXPECT_EQ(axis.Last, 0);
    EXPECT_EQ(axis.Interval, 0);
    EXPECT_EQ(axis.Divisor, 0);
  }

  // No samples at all: nothing is set.
  const CPrinterCoordinates none = mapped({}, 10);
  EXPECT_EQ(none.XMax(), 0.0f);
  EXPECT_EQ(none.XAxis().Scale, 0.0f);
  EXPECT_EQ(none.YAxis().Scale, 0.0f);

  // A rate of 0 has no ticks; the scales stand.
  const CPrinterCoordinates noRate = mapped({1, 2}, 0);
  EXPECT_NE(noRate.YAxis().Scale, 0.0f);
  EXPECT_EQ(noRate.XAxis().Interval, 0);
  EXPECT_EQ(noRate.YAxis().Interval, 0);
}

TEST(PrinterCoordinates, NiceIntervals) {
  const struct {
    rt::Long range, interval;
  } cases[] = {{0, 1}, {11, 1}, {12, 2}, {23, 2}, {24, 5}, {60, 10}, {6036, 1000}, {-5, 1}};
  for (const auto& c : cases) {
    rt::Long interval = 0;
    CPrinterCoordinates::NiceInterval(c.range, 11, interval);
    EXPECT_EQ(interval, c.interval) << c.range;
  }
}

}  // namespace
