#pragma once
// The graph control: one curve of values per point, drawn over Qt Charts.
// Data, labels, style, grid and titles are settings that take effect when
// the graph is rebuilt (Rebuild), as with the third-party graph the forms
// were designed for; ShowMaximised opens the same graph in a window of its
// own. A right click in the plot is reported with its screen position.
//
// The X axis counts points; it is labelled with the points' own labels at
// ticks a set number of points apart (the label interval; the graph widens
// it by 2, 5, 10, ... to at most 15 labelled intervals), or, without one, a
// round number of points apart (1, 2, 2.5, 5 times a power of ten, at most
// ten intervals). The Y axis is labelled with round values, as many as the
// graph's height leaves room for, so that a small graph shows each label
// whole. The
// chart's background is transparent, so the hosting control's back colour
// shows around a white plot area.

#include <QList>
#include <QPoint>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include "runtime/Types.h"

QT_BEGIN_NAMESPACE
class QChart;
class QChartView;
QT_END_NAMESPACE

namespace graph {

enum class PlottingStyle { Line = 0, Bar = 1, Area = 3 };
enum class GridLines { Both = 0, YOnly = 1, XOnly = 2, None = 3 };

class GraphView;

class GraphControl : public QWidget {
  Q_OBJECT
 public:
  explicit GraphControl(QWidget* parent = nullptr);
  ~GraphControl() override;

  // The number of points; a new count keeps the values and labels of the
  // points it keeps and gives new points the value 0 and no label.
  rt::Long Points() const { return static_cast<rt::Long>(values_.size()); }
  void SetPoints(rt::Long points);  // error 5 when negative
  // How many points the plot shows at once, from the first; 0 (the start)
  // shows them all.
  rt::Long PointsShown() const { return pointsShown_; }
  void SetPointsShown(rt::Long points);  // error 5 when negative

  // Points from one labelled tick to the next; 0 (the start) lets the
  // graph choose.
  rt::Long LabelInterval() const { return labelInterval_; }
  void SetLabelInterval(rt::Long points);  // error 5 when negative

  // The graph has one subset (0). Error 9 for any other subset or a point
  // outside 0..Points-1.
  double Value(rt::Long subset, rt::Long point) const;
  void SetValue(rt::Long subset, rt::Long point, double value);
  QString PointLabel(rt::Long point) const;
  void SetPointLabel(rt::Long point, const QString& label);
  // No points, no values, no labels.
  void Clear();

  PlottingStyle Style() const { return style_; }
  void SetStyle(PlottingStyle style);
  GridLines Grid() const { return grid_; }
  void SetGrid(GridLines grid);

  QString MainTitle() const { return mainTitle_; }
  void SetMainTitle(const QString& title) { mainTitle_ = title; }
  QString SubTitle() const { return subTitle_; }
  void SetSubTitle(const QString& title) { subTitle_ = title; }
  QString XAxisTitle() const { return xAxisTitle_; }
  void SetXAxisTitle(const QString& title) { xAxisTitle_ = title; }
  QString YAxisTitle() const { return yAxisTitle_; }
  void SetYAxisTitle(const QString& title) { yAxisTitle_ = title; }

  // Whether ShowMaximised covers the whole screen rather than opening a
  // maximised window.
  bool FullScreen() const { return fullScreen_; }
  void SetFullScreen(bool fullScreen) { fullScreen_ = fullScreen; }

  // Draws the settings as they stand.
  void Rebuild();
  // Opens the graph in a window of its own, closed with Escape or a click;
  // one such window at a time.
  void ShowMaximised();
  QWidget* MaximisedWindow() const { return maximised_.data(); }

  // What is drawn (tests, pictures).
  QChart* chart() const;
  QList<rt::Long> XTickPoints() const { return xTicks_; }

 Q_SIGNALS:
  void RightMouseDown(const QPoint& globalPosition);

 private:
  void CheckPoint(rt::Long subset, rt::Long point) const;
  // Answers the points of the labelled ticks.
  QList<rt::Long> Draw(QChart& chart) const;

  QList<double> values_;
  QStringList labels_;
  rt::Long pointsShown_ = 0;
  rt::Long labelInterval_ = 0;
  PlottingStyle style_ = PlottingStyle::Line;
  GridLines grid_ = GridLines::Both;
  QString mainTitle_;
  QString subTitle_;
  QString xAxisTitle_;
  QString yAxisTitle_;
  bool fullScreen_ = false;
  QList<rt::Long> xTicks_;

  GraphView* view_ = nullptr;
  QPointer<QWidget> maximised_;
};

}  // namespace graph
