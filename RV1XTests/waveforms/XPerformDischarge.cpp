#include "waveforms/XPerformDischarge.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <optional>

#include "com/ServerModule.h"
#include "graph/GraphControl.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "services/LanguageService.h"
#include "typelib/IResultData.h"
#include "ui/ControlPlacement.h"
#include "ui/Twips.h"
#include "waveforms/IWaveformOwner.h"

namespace orvanRV1Xtst {

namespace {

// Design places, in twips.
constexpr int kLeftInset = 120;
constexpr int kDesignWidth = 4095;
constexpr int kDesignHeight = 2850;
constexpr int kGraphHeight = 2475;
constexpr int kTitleTop = 60;
constexpr int kTitleHeight = 300;
constexpr int kLineHeight = 255;
constexpr int kBelowTitle = 45;
constexpr int kCommentHeight = 615;
constexpr int kGap = 120;

// The menu arrays by item; item 0 of each is hidden.
const char* const kStandardItems[] = {"", "Line", "Bar", "Area"};
const graph::PlottingStyle kStyleOfItem[] = {graph::PlottingStyle::Line, graph::PlottingStyle::Line,
                                             graph::PlottingStyle::Bar, graph::PlottingStyle::Area};
const char* const kGridItems[] = {"", "Grid X and Y", "Y grid only", "X grid only", "No grid"};
const graph::GridLines kGridOfItem[] = {graph::GridLines::Both, graph::GridLines::Both,
                                        graph::GridLines::YOnly, graph::GridLines::XOnly,
                                        graph::GridLines::None};
const char* const kScreenItems[] = {"", "Full screen mode"};

QLabel* label(const char* name, const char* caption, const char* family, int points,
              QWidget* parent) {
  auto* l = new QLabel(QString::fromLatin1(caption), parent);
  l->setObjectName(QLatin1String(name));
  QFont font(QString::fromLatin1(family));
  font.setPointSize(points);
  l->setFont(font);
  return l;
}

rt::Long topOf(const QWidget* w) {
  return ui::toTwips(w->y());
}
rt::Long heightOf(const QWidget* w) {
  return ui::toTwips(w->height());
}

// A move that fails (a negative size from a small control) leaves the
// control where it was; the layout goes on.
void place(QWidget* w, double left, double top, std::optional<double> width = std::nullopt,
           std::optional<double> height = std::nullopt) {
  rt::ignoreErrors([&] { ui::moveControl(*w, left, top, width, height); });
}

QString translate(const char* key) {
  return host::translated(QLatin1String(key));
}

}  // namespace

IWaveformOwner::~IWaveformOwner() = default;

XPerformDischarge::XPerformDischarge() {
  setObjectName(QStringLiteral("XPerformDischarge"));
  pegGraph_ = new graph::GraphControl(this);
  pegGraph_->setObjectName(QStringLiteral("pegGraph"));
  lblTitle_ = label("lblTitle", "20333::Peak I [A]", "Arial Black", 10, this);
  chkPrintOnReport_ = new QCheckBox(QStringLiteral("Print on report"), this);
  chkPrintOnReport_->setObjectName(QStringLiteral("chkPrintOnReport"));
  lblComment_ = label("lblComment", "T1708::Comment", "Arial", 9, this);
  txtComment_ = new QPlainTextEdit(this);
  txtComment_->setObjectName(QStringLiteral("txtComment"));
  txtComment_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  txtComment_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  place(lblTitle_, kLeftInset, kTitleTop, kDesignWidth - kLeftInset, kTitleHeight);
  place(chkPrintOnReport_, kLeftInset, kDesignHeight - kLineHeight, kDesignWidth - kLeftInset,
        kLineHeight);
  place(lblComment_, kLeftInset, 0, kDesignWidth - kLeftInset, kLineHeight);
  place(txtComment_, kLeftInset, kLineHeight, kDesignWidth - kLeftInset, kCommentHeight);
  resize(ui::toPixels(kDesignWidth), ui::toPixels(kDesignHeight));

  BuildMenu();
  connect(chkPrintOnReport_, &QCheckBox::clicked, this, [this] { chkPrintOnReport_Click(); });
  connect(pegGraph_, &graph::GraphControl::RightMouseDown, this,
          [this](const QPoint& at) { pegGraph_RightMouseDown(at); });

  rt::ignoreErrorsEach(
      [&] { SetupGraph(); },
      [&] { host::LanguageService::instance()->TranslateControls(host::kProduct, this); },
      [&] { Layout(); });
}

XPerformDischarge::~XPerformDischarge() = default;

void XPerformDischarge::BuildMenu() {
  mnuStdList_ = new QMenu(this);
  mnuStdList_->setObjectName(QStringLiteral("mnuStdList"));
  mnuCaption_ = mnuStdList_->addAction(QStringLiteral("Wave settings"));
  mnuCaption_->setObjectName(QStringLiteral("mnuCaption"));
  mnuStdList_->setDefaultAction(mnuCaption_);

  auto addArray = [this](auto& items, const char* const* captions, const char* name,
                         MenuArray array) {
    mnuStdList_->addSeparator();
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
      QAction* item = mnuStdList_->addAction(QString::fromLatin1(captions[i]));
      item->setObjectName(QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i));
      item->setCheckable(true);
      item->setVisible(i != 0);
      connect(item, &QAction::triggered, this, [this, array, i] { MenuItem_Click(array, i); });
      items[i] = item;
    }
  };
  addArray(mnuStandard_, kStandardItems, "mnuStandard", MenuArray::Standard);
  addArray(mnuGrid_, kGridItems, "mnuGrid", MenuArray::Grid);
  addArray(mnuScreen_, kScreenItems, "mnuScreen", MenuArray::Screen);
  mnuStandard_[1]->setChecked(true);
}

QAction* XPerformDischarge::MenuItem(MenuArray array, int index) const {
  switch (array) {
    case MenuArray::Standard:
      return index >= 0 && index < 4 ? mnuStandard_[index] : nullptr;
    case MenuArray::Grid:
      return index >= 0 && index < 5 ? mnuGrid_[index] : nullptr;
    case MenuArray::Screen:
      return index >= 0 && index < 2 ? mnuScreen_[index] : nullptr;
  }
  return nullptr;
}

// The settings of a discharge curve: the current in amperes against the
// time in milliseconds, one line through the samples, with a grid to read
// it by. The graph's own defaults carry the rest: no titles above the
// plot (the control's title names the curve), a white plot area, no legend
// (one curve), and no points before a waveform comes (a curve of zeros
// would read as a discharge without current).
void XPerformDischarge::SetupGraph() {
  graph::GraphControl& graph = *pegGraph_;
  graph.SetMainTitle(QString());
  graph.SetSubTitle(QString());
  graph.SetXAxisTitle(translate("20331::Time [ms]"));
  graph.SetYAxisTitle(translate("20333::Peak I [A]"));
  graph.SetStyle(graph::PlottingStyle::Line);
  graph.SetGrid(graph::GridLines::Both);
  mnuGrid_[1]->setChecked(true);
  place(pegGraph_, 0, kTitleTop + kTitleHeight + kBelowTitle, kDesignWidth, kGraphHeight);
  graph.Rebuild();
}

void XPerformDischarge::ShowWaveform(const IWaveformPtr& iwf, bool f) {
  waveform_ = iwf;
  dialogMode_ = f;
  if (!iwf) return;
  // Only the valid samples: never an entry behind them.
  QList<rt::Single> samples;
  rt::ignoreErrors([&] { samples = validSamples(*iwf); });
  if (!samples.isEmpty()) {
    const auto n = static_cast<rt::Long>(samples.size());
    rt::ignoreErrorsEach([&] { pegGraph_->SetPoints(n); },
                         // The whole curve at once: a discharge is read as a whole.
                         [&] { pegGraph_->SetPointsShown(n); }, [&] { SetupAxisLabels(); });
    for (rt::Long i = 0; i < n; ++i)
      rt::ignoreErrors([&] { pegGraph_->SetValue(0, i, samples.at(i)); });
    rt::ignoreErrors([&] { pegGraph_->Rebuild(); });
  }
  // Setting the box is no change of the operator's: only its clicks notify.
  rt::ignoreErrors([&] { chkPrintOnReport_->setChecked(iwf->IncludeInReport()); });
  rt::ignoreErrors([&] { Layout(); });
}

// Each point is labelled with its time in milliseconds, and the time axis
// shows a label every millisecond (every r points), as a technician reads a
// discharge.
void XPerformDischarge::SetupAxisLabels() {
  const rt::Long r = com::must(waveform_).Resolution();
  if (r == 0) rt::raise(rt::err::DivisionByZero);
  pegGraph_->SetLabelInterval(r);
  const rt::Long count = pegGraph_->Points();
  for (rt::Long i = 0; i < count; ++i) pegGraph_->SetPointLabel(i, rt::cstr(rt::Double(i) / r));
  pegGraph_->Rebuild();
}

void XPerformDischarge::ResetWaveForm() {
  rt::ignoreErrorsEach([&] { pegGraph_->Clear(); }, [&] { pegGraph_->Rebuild(); });
}

void XPerformDischarge::FullScreenWave() {
  rt::ignoreErrors([&] { pegGraph_->ShowMaximised(); });
}

void XPerformDischarge::Initialize(const QVariant& Data) {
  dialogMode_ = true;
  const com::ObjectPtr data = rt::orDefault([&] { return com::toObject(Data); }, com::ObjectPtr());
  if (auto owner = com::queryInterface<IWaveformOwner>(data)) {
    IWaveformPtr waveform;
    rt::ignoreErrors([&] { waveform = owner->Waveform(); });
    hasWaveform_ = waveform != nullptr;
    if (hasWaveform_) ShowWaveform(waveform, true);
    if (auto result = com::queryInterface<host::IResultData>(data)) {
      QString comment;
      rt::ignoreErrorsEach([&] { comment = result->Comment(); },
                           [&] { txtComment_->setPlainText(comment); },
                           [&] {
                             txtComment_->setReadOnly(true);
                             QPalette p = txtComment_->palette();
                             p.setColor(QPalette::Base, ui::toQColor(ui::syscolor::ButtonFace));
                             txtComment_->setPalette(p);
                           });
      hasComment_ = !comment.isEmpty();
    } else {
      hasComment_ = false;
    }
  }
  rt::ignoreErrors([&] { Layout(); });
}

void XPerformDischarge::resizeEvent(QResizeEvent* event) {
  host::CustomControl::resizeEvent(event);
  rt::ignoreErrors([&] { Layout(); });
}

void XPerformDischarge::Layout() {
  const double w = ScaleWidth();
  const double h = ScaleHeight();
  const double top = topOf(lblTitle_) + heightOf(lblTitle_) + kBelowTitle;
  double y = h;
  if (!dialogMode_) {
    // The guide's panel: the title and the graph under it.
    chkPrintOnReport_->hide();
    lblComment_->hide();
    txtComment_->hide();
    lblTitle_->show();
    pegGraph_->show();
    place(pegGraph_, 0, top, w, h - top);
    return;
  }
  if (hasComment_) {
    if (hasWaveform_) {
      y = h - kCommentHeight;
      place(txtComment_, kLeftInset, y, w - kLeftInset, kCommentHeight);
      place(lblComment_, kLeftInset, y - heightOf(lblComment_));
      y = topOf(lblComment_);
    } else {
      place(lblComment_, kLeftInset, 0);
      place(txtComment_, kLeftInset, heightOf(lblComment_), w - kLeftInset,
            h - heightOf(lblComment_));
    }
  }
  // Without a comment there is nothing for its box to show.
  lblComment_->setVisible(hasComment_);
  txtComment_->setVisible(hasComment_);
  lblTitle_->setVisible(hasWaveform_);
  chkPrintOnReport_->setVisible(hasWaveform_);
  pegGraph_->setVisible(hasWaveform_);
  if (hasWaveform_) {
    place(chkPrintOnReport_, kLeftInset, y - heightOf(chkPrintOnReport_) - kGap);
    place(pegGraph_, 0, top, w, topOf(chkPrintOnReport_) - kGap - top);
  }
}

void XPerformDischarge::chkPrintOnReport_Click() {
  rt::ignoreErrorsEach(
      [&] { com::must(waveform_).SetIncludeInReport(chkPrintOnReport_->isChecked()); },
      [&] { NotifyChange(); });
}

void XPerformDischarge::pegGraph_RightMouseDown(const QPoint& at) {
  rt::ignoreErrors([&] {
    if (mnuStandard_.size() > 1) mnuStdList_->popup(at, mnuCaption_);
  });
}

void XPerformDischarge::MenuItem_Click(MenuArray array, int index) {
  rt::ignoreErrors([&] {
    QAction* chosen = MenuItem(array, index);
    if (!chosen || index == 0) return;
    int& last = lastChosen_.at(static_cast<size_t>(array));
    com::must(MenuItem(array, last == 0 ? 1 : last)).setChecked(false);
    chosen->setChecked(true);
    last = index;
    graph::GraphControl& graph = *pegGraph_;
    switch (array) {
      case MenuArray::Standard:
        graph.SetStyle(kStyleOfItem[index]);
        graph.Rebuild();
        break;
      case MenuArray::Grid:
        graph.SetGrid(kGridOfItem[index]);
        graph.Rebuild();
        break;
      case MenuArray::Screen:
        graph.SetFullScreen(true);
        graph.ShowMaximised();
        break;
    }
  });
}

RV1X_CREATABLE_CLASS("orvanRV1Xtst", XPerformDischarge)

}  // namespace orvanRV1Xtst
