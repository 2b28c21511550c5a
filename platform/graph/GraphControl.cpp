#include "graph/GraphControl.h"

#include <QAreaSeries>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QKeyEvent>
#include <QLineSeries>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <functional>

#include "runtime/RuntimeError.h"

namespace graph {

namespace {

const QString kSource = QStringLiteral("GraphControl");
constexpr int kMostXIntervals = 10;
constexpr int kMostLabelledIntervals = 15;
const QColor kCurveColour(0x1F, 0x3A, 0x93);
const QColor kAreaColour(0x9F, 0xB4, 0xE8);
const QColor kGridColour(0xDC, 0xDC, 0xDC);

// Points between labelled ticks: the label interval when one is set, else
// a round number of points; either way widened by 2, 5, 10, ... until the
// ticks are few enough to read.
rt::Long tickStep(rt::Long lastPoint, rt::Long labelInterval) {
  static const double kSteps[] = {1, 2, 2.5, 5};
  const double unit = labelInterval > 0 ? labelInterval : 1;
  const int most = labelInterval > 0 ? kMostLabelledIntervals : kMostXIntervals;
  for (double power = 1;; power *= 10) {
    for (double step : kSteps) {
      const double points = unit * step * power;
      if (points != static_cast<rt::Long>(points)) continue;  // whole points only
      if (lastPoint / points <= most) return static_cast<rt::Long>(points);
    }
  }
}

QList<rt::Long> tickPoints(rt::Long shown, rt::Long labelInterval) {
  QList<rt::Long> ticks;
  if (shown < 1) return ticks;
  const rt::Long last = shown - 1;
  const rt::Long step = tickStep(last, labelInterval);
  for (rt::Long point = 0; point <= last; point += step) ticks.append(point);
  return ticks;
}

// The data range the value axis covers, kept on the chart so that the ticks
// can be fitted again whenever the chart changes size.
const char* const kValueLow = "valueLow";
const char* const kValueHigh = "valueHigh";

// Round value ticks, as many as the chart's height gives room for: two label
// lines between neighbouring ticks, so that no label is left out or cut
// short, even in the guide's small panel (2 to 5 ticks).
void fitValueAxis(QChart& chart) {
  auto* axis = qobject_cast<QValueAxis*>(chart.axes(Qt::Vertical).value(0));
  if (!axis) return;
  const int line = QFontMetrics(axis->labelsFont()).height();
  // The time axis's labels and title, and the margins, take about four lines.
  const int room = static_cast<int>(chart.size().height()) - 4 * line;
  axis->setTickCount(std::clamp(room / (2 * line) + 1, 2, 5));
  axis->setRange(chart.property(kValueLow).toDouble(), chart.property(kValueHigh).toDouble());
  axis->applyNiceNumbers();
}

void styleAxis(QAbstractAxis& axis, const QString& title, bool grid) {
  axis.setTitleText(title);
  QFont titleFont = axis.titleFont();
  titleFont.setPointSizeF(7);
  titleFont.setBold(true);
  axis.setTitleFont(titleFont);
  QFont labelsFont = axis.labelsFont();
  labelsFont.setPointSizeF(7.5);
  axis.setLabelsFont(labelsFont);
  axis.setGridLineVisible(grid);
  axis.setGridLinePen(QPen(kGridColour, 1));
}

}  // namespace

// The chart's view: reports right clicks, or, as the maximised window,
// closes at a click or Escape.
class GraphView : public QChartView {
 public:
  GraphView(QChart* chart, QWidget* parent) : QChartView(chart, parent) {
    setRenderHint(QPainter::Antialiasing);
    setFrameShape(QFrame::NoFrame);
    setStyleSheet(QStringLiteral("background: transparent"));
  }
  std::function<void(const QPoint&)> onRightClick;
  bool closesOnClick = false;

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (closesOnClick) {
      window()->close();
      return;
    }
    if (event->button() == Qt::RightButton && onRightClick) {
      onRightClick(event->globalPosition().toPoint());
      event->accept();
      return;
    }
    QChartView::mousePressEvent(event);
  }
  void keyPressEvent(QKeyEvent* event) override {
    if (closesOnClick && event->key() == Qt::Key_Escape) {
      window()->close();
      return;
    }
    QChartView::keyPressEvent(event);
  }
  void resizeEvent(QResizeEvent* event) override {
    QChartView::resizeEvent(event);
    fitValueAxis(*chart());
  }
};

GraphControl::GraphControl(QWidget* parent) : QWidget(parent) {
  auto* chart = new QChart();
  view_ = new GraphView(chart, this);
  view_->onRightClick = [this](const QPoint& at) { Q_EMIT RightMouseDown(at); };
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view_);
  xTicks_ = Draw(*chart);
}

GraphControl::~GraphControl() {
  delete maximised_.data();
}

void GraphControl::SetPoints(rt::Long points) {
  if (points < 0) rt::raise(rt::err::InvalidCall, kSource, QStringLiteral("Invalid point count"));
  values_.resize(points);
  labels_.resize(points);
}

void GraphControl::SetLabelInterval(rt::Long points) {
  if (points < 0) rt::raise(rt::err::InvalidCall, kSource, QStringLiteral("Invalid point count"));
  labelInterval_ = points;
}

void GraphControl::SetPointsShown(rt::Long points) {
  if (points < 0) rt::raise(rt::err::InvalidCall, kSource, QStringLiteral("Invalid point count"));
  pointsShown_ = points;
}

void GraphControl::CheckPoint(rt::Long subset, rt::Long point) const {
  if (subset != 0 || point < 0 || point >= Points())
    rt::raise(rt::err::SubscriptOutOfRange, kSource);
}

double GraphControl::Value(rt::Long subset, rt::Long point) const {
  CheckPoint(subset, point);
  return values_.at(point);
}

void GraphControl::SetValue(rt::Long subset, rt::Long point, double value) {
  CheckPoint(subset, point);
  values_[point] = value;
}

QString GraphControl::PointLabel(rt::Long point) const {
  CheckPoint(0, point);
  return labels_.at(point);
}

void GraphControl::SetPointLabel(rt::Long point, const QString& label) {
  CheckPoint(0, point);
  labels_[point] = label;
}

void GraphControl::Clear() {
  values_.clear();
  labels_.clear();
}

void GraphControl::SetStyle(PlottingStyle style) {
  style_ = style;
}

void GraphControl::SetGrid(GridLines grid) {
  grid_ = grid;
}

QChart* GraphControl::chart() const {
  return view_->chart();
}

void GraphControl::Rebuild() {
  xTicks_ = Draw(*view_->chart());
  view_->update();
}

QList<rt::Long> GraphControl::Draw(QChart& chart) const {
  chart.removeAllSeries();
  // The axes stay from one drawing to the next: an axis taken out of a chart
  // leaves its labels on the scene until the event loop runs.
  auto* xAxis = qobject_cast<QCategoryAxis*>(chart.axes(Qt::Horizontal).value(0));
  auto* yAxis = qobject_cast<QValueAxis*>(chart.axes(Qt::Vertical).value(0));
  if (!xAxis) {
    xAxis = new QCategoryAxis();
    xAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    chart.addAxis(xAxis, Qt::AlignBottom);
  }
  if (!yAxis) {
    yAxis = new QValueAxis();
    yAxis->setLabelFormat(QStringLiteral("%g"));
    chart.addAxis(yAxis, Qt::AlignLeft);
  }
  chart.legend()->hide();
  chart.setAnimationOptions(QChart::NoAnimation);
  chart.setBackgroundVisible(false);
  chart.setPlotAreaBackgroundVisible(true);
  chart.setPlotAreaBackgroundBrush(Qt::white);
  chart.setPlotAreaBackgroundPen(Qt::NoPen);
  // Little room around the plot: the guide's panel is small.
  chart.setMargins(QMargins(2, 2, 6, 2));
  chart.layout()->setContentsMargins(0, 0, 0, 0);
  chart.setBackgroundRoundness(0);
  chart.setTitle(subTitle_.isEmpty() ? mainTitle_ : mainTitle_ + u'\n' + subTitle_);

  const rt::Long points = Points();
  const rt::Long shown = pointsShown_ == 0 ? points : std::min(pointsShown_, points);
  const QList<double> data = values_.mid(0, shown);

  for (const QString& label : xAxis->categoriesLabels()) xAxis->remove(label);
  QStringList used;
  for (rt::Long point : tickPoints(shown, labelInterval_)) {
    QString label = labels_.at(point);
    if (label.isEmpty()) label = QString::number(point);
    if (used.contains(label)) continue;  // the axis keys its ticks by label
    used.append(label);
    xAxis->append(label, point);
  }
  xAxis->setRange(0, std::max<rt::Long>(shown - 1, 1));
  styleAxis(*xAxis, xAxisTitle_, grid_ == GridLines::Both || grid_ == GridLines::XOnly);

  // The value axis always shows zero: a discharge is read against it.
  double low = 0, high = 0;
  for (double v : data) {
    low = std::min(low, v);
    high = std::max(high, v);
  }
  if (low == high) high = 1;
  chart.setProperty(kValueLow, low);
  chart.setProperty(kValueHigh, high);
  styleAxis(*yAxis, yAxisTitle_, grid_ == GridLines::Both || grid_ == GridLines::YOnly);
  fitValueAxis(chart);

  QList<QPointF> curve;
  curve.reserve(data.size());
  for (qsizetype i = 0; i < data.size(); ++i) curve.append(QPointF(double(i), data.at(i)));

  QAbstractSeries* series = nullptr;
  switch (style_) {
    case PlottingStyle::Bar: {
      auto* set = new QBarSet(QString());
      set->setColor(kCurveColour);
      set->setBorderColor(kCurveColour);
      for (double v : data) set->append(v);
      auto* bars = new QBarSeries();
      bars->setBarWidth(1.0);
      bars->append(set);
      series = bars;
      break;
    }
    case PlottingStyle::Area: {
      // The area does not own its edges: they are its children.
      auto* area = new QAreaSeries();
      auto* upper = new QLineSeries(area);
      upper->replace(curve);
      auto* lower = new QLineSeries(area);
      for (const QPointF& p : curve) lower->append(p.x(), 0);
      area->setUpperSeries(upper);
      area->setLowerSeries(lower);
      area->setPen(QPen(kCurveColour, 1.5));
      area->setBrush(kAreaColour);
      series = area;
      break;
    }
    case PlottingStyle::Line: {
      auto* line = new QLineSeries();
      line->setPen(QPen(kCurveColour, 1.5));
      line->replace(curve);
      series = line;
      break;
    }
  }
  chart.addSeries(series);
  series->attachAxis(xAxis);
  series->attachAxis(yAxis);
  QList<rt::Long> ticks;
  for (const QString& label : xAxis->categoriesLabels())
    ticks.append(static_cast<rt::Long>(xAxis->endValue(label)));
  return ticks;
}

void GraphControl::ShowMaximised() {
  if (maximised_) {
    maximised_->raise();
    maximised_->activateWindow();
    return;
  }
  auto* chart = new QChart();
  auto* view = new GraphView(chart, this);
  view->closesOnClick = true;
  view->setWindowFlag(Qt::Window);
  view->setAttribute(Qt::WA_DeleteOnClose);
  view->setStyleSheet(QString());
  view->setWindowTitle(mainTitle_.isEmpty() ? yAxisTitle_ : mainTitle_);
  Draw(*chart);
  chart->setBackgroundVisible(true);
  maximised_ = view;
  if (fullScreen_)
    view->showFullScreen();
  else
    view->showMaximized();
}

}  // namespace graph
