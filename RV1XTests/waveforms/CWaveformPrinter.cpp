#include "waveforms/CWaveformPrinter.h"

#include "report/HostReport.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "runtime/NumberDisplay.h"
#include "ui/Twips.h"

namespace orvanRV1Xtst {

namespace {

constexpr std::uint32_t kShadowColour = ui::rgb(192, 192, 192);
constexpr std::uint32_t kFrameColour = ui::rgb(255, 255, 255);
constexpr rt::Long kTickHalf = 60;
constexpr rt::Long kLabelHeight = 200;
constexpr rt::Long kAdvanceBelowPlot = 700;

enum Alignment : rt::Long { kLeft = 0, kCentred = 1, kRight = 2 };

void setFont(host::HostReport& report, double size, bool bold) {
  host::ReportFont& font = com::must(report.Font());
  font.SetName(QStringLiteral("Arial"));
  font.SetSize(size);
  font.SetBold(bold);
}

QString translate(host::HostReport& report, const char* key) {
  return report.Translate(host::kProduct, QLatin1String(key), {});
}

// A whole-number pattern, or one with as many decimals as the tick
// interval needs.
QString yLabelPattern(const AxisInfo& axis) {
  QString pattern = QStringLiteral("# ##0");
  if (axis.Divisor > axis.Interval) {
    const double step = std::abs(double(axis.Interval) / axis.Divisor);
    const qsizetype decimals = rt::cstr(step).size() - 2;
    if (decimals > 0) pattern += u'.' + QString(decimals, u'0');
  }
  return pattern;
}

// A rotation set for one text, restored whatever becomes of the text.
class RotationScope {
 public:
  RotationScope(host::ReportCanvas& canvas, rt::Long tenths)
      : canvas_(canvas), previous_(canvas.Rotation()) {
    canvas_.SetRotation(tenths);
  }
  ~RotationScope() {
    rt::ignoreErrors([&] { canvas_.SetRotation(previous_); });
  }
  RotationScope(const RotationScope&) = delete;
  RotationScope& operator=(const RotationScope&) = delete;

 private:
  host::ReportCanvas& canvas_;
  rt::Long previous_;
};

}  // namespace

void CWaveformPrinter::PrintCurve(const IWaveformPtr& iwf, const QString& sTitle,
                                  const host::HostReportPtr& iarReport) {
  rt::ignoreErrors([&] {
    canvas_ = com::queryInterface<host::ReportCanvas>(iarReport);
    title_ = sTitle;
    values_ = validSamples(com::must(iwf));
    // Without samples there is no curve: an empty chart would read as a
    // discharge of no current.
    if (!canvas_ || values_.isEmpty()) return;
    host::HostReport& report = *iarReport;
    plot_ = DrawFrame(report);
    CPrinterCoordinates coordinates;
    coordinates.SetPlotRect(plot_);
    coordinates.SetData(values_, 1);
    coordinates.CalculateScale(iwf->Resolution());
    DrawXAxis(report, coordinates);
    DrawYAxis(report, coordinates);
    DrawCurve(report, coordinates);
    report.SetCurrentY(plot_.Bottom + kAdvanceBelowPlot);
  });
}

PlotRect CWaveformPrinter::DrawFrame(host::HostReport& report) {
  PlotRect plot;
  rt::ignoreErrors([&] {
    const rt::Long y0 = report.CurrentY();
    const rt::Long pageBottom = report.PrintableBottom(true);
    if (y0 + kSpaceNeeded > pageBottom) report.NewPage();
    const rt::Long printableLeft = report.PrintableLeft(true);
    const rt::Long printableRight = report.PrintableRight(true);
    const rt::Long y = report.CurrentY();

    const rt::Long left = printableLeft + kFrameLeftInset;
    const rt::Long right = printableRight - kFrameRightInset;
    const rt::Long top = y + kFrameTopGap;
    const rt::Long bottom = top + kFrameHeight;

    host::ReportCanvas& canvas = *canvas_;
    canvas.SetFillStyle(0);
    canvas.SetFillColor(kShadowColour);
    canvas.FilledRectangle(left + kShadowOffset, top + kShadowOffset, right + kShadowOffset,
                           bottom + kShadowOffset, 0, 0);
    canvas.SetFillColor(kFrameColour);
    canvas.FilledRectangle(left, top, right, bottom, 0, 0);

    host::ReportFont& font = com::must(report.Font());
    font.SetName(QStringLiteral("Arial"));
    font.SetBold(true);
    font.SetItalic(false);
    font.SetSize(8);
    report.SetTextAlignment(kCentred);
    // One line between the title inset and the top of the plot.
    const rt::Long titleLeft = left + kTitleInset;
    canvas.TextBox(title_, titleLeft, top + kTitleInset, right - titleLeft, kPlotTop - kTitleInset,
                   true, 0, 0);
    canvas.SetCurrentY(bottom + kTitleInset);
    plot = PlotRect{left + kPlotLeft, top + kPlotTop, right - kPlotRight, bottom - kPlotBottom};
  });
  return plot;
}

void CWaveformPrinter::DrawXAxis(host::HostReport& report, const CPrinterCoordinates& coordinates) {
  rt::ignoreErrors([&] {
    const AxisInfo a = coordinates.XAxis();
    setFont(report, 7, true);
    report.SetTextAlignment(kCentred);
    const rt::Long h = report.TextWidth(QStringLiteral("00:00:00"));
    const QString caption = translate(report, "20356::Time") + QStringLiteral(" [") +
                            translate(report, "20350::ms") + u']';
    host::ReportCanvas& canvas = *canvas_;
    canvas.TextBox(caption, a.X1, a.Y2 + 400, a.X2 - a.X1, kLabelHeight, true, 0, 0);
    com::must(report.Font()).SetBold(false);
    canvas.Line(a.X1, a.Y2, a.X2, a.Y2);

    const rt::Long step = a.Interval < 1 ? 1 : a.Interval;
    rt::Long lastLabel = 0;
    for (std::int64_t i = a.First; i <= a.Last; i += step) {
      const rt::Long px = coordinates.WorldToPageX(static_cast<rt::Single>(i));
      // A label too close to the one before is left out; its tick is not.
      if (px > lastLabel + h) {
        const QString label = rt::formatNumber(rt::Double(rt::intDiv(double(i), a.Divisor)),
                                               QStringLiteral("# ##0.0"));
        canvas.TextBox(label, px - h, a.Y2 + 150, 2 * h, kLabelHeight, true, 0, 0);
        lastLabel = px;
      }
      canvas.Line(px, a.Y2 - kTickHalf, px, a.Y2 + kTickHalf);
    }
  });
}

void CWaveformPrinter::DrawYAxis(host::HostReport& report, const CPrinterCoordinates& coordinates) {
  rt::ignoreErrors([&] {
    const AxisInfo b = coordinates.YAxis();
    canvas_->Line(b.X1, b.Y1, b.X2, b.Y2);
    DrawYTitle(report, b.X1, b.Y1, b.X2, b.Y2);
    setFont(report, 7, false);
    report.SetTextAlignment(kRight);
    const rt::Long h0 = report.TextHeight(QStringLiteral("0"));
    const QString pattern = yLabelPattern(b);
    // Ticks need a step: without one the axis has no scale.
    if (b.Interval < 1) return;
    for (std::int64_t y = b.First; y <= b.Last; y += b.Interval) {
      if (b.Divisor == 0) rt::raise(rt::err::DivisionByZero);
      const double v = double(y) / b.Divisor;
      const rt::Long py = coordinates.WorldToPageY(static_cast<rt::Single>(v));
      canvas_->Line(b.X1 - kTickHalf, py, b.X1 + kTickHalf, py);
      canvas_->TextBox(rt::formatNumber(v, pattern), b.X1 - 750, rt::toLong(py - h0 / 2.0), 550,
                       kLabelHeight, true, 0, 0);
    }
  });
}

void CWaveformPrinter::DrawYTitle(host::HostReport& report, rt::Long X1, rt::Long Y1,
                                  [[maybe_unused]] rt::Long X2, rt::Long Y2) {
  setFont(report, 7, true);
  report.SetTextAlignment(kLeft);
  const QString text = translate(report, "20333::Peak I [A]");
  const rt::Long tw = report.TextWidth(text);
  // Reads upwards, centred on the axis.
  RotationScope upwards(*canvas_, 900);
  canvas_->TextBox(text, X1 - 900, Y1 + rt::intDiv(double(Y2 - Y1) + tw + 200, 2), tw + 200,
                   kLabelHeight, true, 0, 0);
}

void CWaveformPrinter::DrawCurve(host::HostReport& report, const CPrinterCoordinates& coordinates) {
  rt::ignoreErrors([&] {
    const rt::Long first = std::max<rt::Long>(rt::toLong(coordinates.XMin()), 0);
    const rt::Long last = std::min<rt::Long>(rt::toLong(coordinates.XMax()),
                                             static_cast<rt::Long>(values_.size()) - 1);
    rt::Long previousX = 0;
    rt::Long previousY = 0;
    for (rt::Long i = first; i <= last; ++i) {
      const rt::Long px = coordinates.WorldToPageX(static_cast<rt::Single>(i));
      rt::Long py = coordinates.WorldToPageY(values_.at(i));
      // A run beyond an edge is one segment to the edge; the curve comes
      // back from there.
      bool draw;
      if (py < plot_.Top) {
        py = plot_.Top;
        draw = previousY != plot_.Top;
      } else if (py > plot_.Bottom) {
        py = plot_.Bottom;
        draw = previousY != plot_.Bottom;
      } else {
        draw = previousX != 0;
      }
      if (draw && previousX != 0 && previousY != 0) report.Line(previousX, previousY, px, py);
      previousX = px;
      previousY = py;
    }
  });
}

}  // namespace orvanRV1Xtst
