// The discharge waveform control: as the discharge result's dialog and as the
// guide's panel, its graph settings, layout, print box, menu and full-screen
// view.

#include <QAbstractAxis>
#include <QAction>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QDir>
#include <QGraphicsTextItem>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QValueAxis>
#include <QtTest/QTest>
#include <cmath>

#include "StubResult.h"
#include "WaveformFixture.h"
#include "com/CreateObject.h"
#include "graph/GraphControl.h"
#include "records/RunObjects.h"
#include "settings/FDialogWrapper.h"
#include "ui/Twips.h"
#include "ui/WindowHandles.h"
#include "waveforms/IWaveformOwner.h"
#include "waveforms/XPerformDischarge.h"

namespace {

using namespace orvanRV1Xtst;
using namespace waveformtest;
using graph::GraphControl;
using Menu = XPerformDischarge::MenuArray;

// The discharge result as the dialog sees it: a comment and a waveform.
class StubDischargeResult : public testsupport::StubResult, public IWaveformOwner {
 public:
  StubDischargeResult(IWaveformPtr waveform, QString comment)
      : StubResult(std::move(comment)), waveform_(std::move(waveform)) {}
  IWaveformPtr Waveform() const override { return waveform_; }

 private:
  IWaveformPtr waveform_;
};

class RecordingCallBack : public host::HostCallBack {
 public:
  QVariant Notify(QString& eventName, QVariantList& args) override {
    events.append(eventName);
    arguments.append(args.size());
    return {};
  }
  QStringList events;
  QList<qsizetype> arguments;
};

// A damped sine discharge of the older generation: 150 samples, 15 ms.
std::shared_ptr<CWaveFormMkII> olderWaveform(bool print = true) {
  QList<int> raw;
  for (double amperes : dampedSine(40, 150))
    raw.append(static_cast<int>(std::lround(amperes / 0.05)));
  auto mk2 = std::make_shared<CWaveFormMkII>();
  mk2->Initialize(block(counts(raw)), QStringLiteral("H!"));
  mk2->SetIncludeInReport(print);
  return mk2;
}

QRect place(double left, double top, double width, double height) {
  return ui::toPixels(left, top, width, height);
}

class WaveformDialog : public WaveformTest {
 protected:
  void TearDown() override {
    QApplication::closeAllWindows();
    WaveformTest::TearDown();
  }

  template <class T>
  T* child(const char* name) const {
    return control_->findChild<T*>(QLatin1String(name));
  }
  GraphControl& graph() const { return *control_->Graph(); }
  QAction& item(Menu array, int index) const { return *control_->MenuItem(array, index); }
  QList<bool> marks(Menu array, int count) const {
    QList<bool> checked;
    for (int i = 1; i < count; ++i) checked.append(item(array, i).isChecked());
    return checked;
  }
  // The dialog of a result with that comment and waveform, sized in twips.
  void openDialog(IWaveformPtr waveform, const QString& comment, int w = 6000, int h = 4500) {
    control_->resize(ui::toPixels(w), ui::toPixels(h));
    control_->Initialize(
        com::toVariantOf(std::make_shared<StubDischargeResult>(std::move(waveform), comment)));
  }
  // Keeps a picture of the control for a look (RV1X_WAVEFORM_PICTURES).
  void picture(QWidget& widget, const QString& name) {
    // A chart lays itself out again a turn after it was resized.
    QApplication::processEvents();
    QApplication::processEvents();
    const QImage image = widget.grab().toImage();
    EXPECT_FALSE(image.isNull());
    const QString dir = qEnvironmentVariable("RV1X_WAVEFORM_PICTURES");
    if (!dir.isEmpty()) image.save(QDir(dir).filePath(name + QStringLiteral(".png")));
  }

  XPerformDischargePtr control_ = std::make_shared<XPerformDischarge>();
};

TEST_F(WaveformDialog, CreatedWithTheSettingsOfADischargeCurve) {
  EXPECT_EQ(graph().XAxisTitle(), QStringLiteral("Time [ms]"));
  EXPECT_EQ(graph().YAxisTitle(), QStringLiteral("Peak I [A]"));
  EXPECT_TRUE(graph().MainTitle().isEmpty());
  EXPECT_TRUE(graph().SubTitle().isEmpty());
  EXPECT_EQ(graph().Style(), graph::PlottingStyle::Line);
  EXPECT_EQ(graph().Grid(), graph::GridLines::Both);
  EXPECT_EQ(graph().Points(), 0) << "no curve before a waveform";
  EXPECT_EQ(child<QLabel>("lblTitle")->text(), QStringLiteral("Peak I [A]"));
  EXPECT_EQ(child<QLabel>("lblComment")->text(), QStringLiteral("Comment"));
  EXPECT_EQ(child<QCheckBox>("chkPrintOnReport")->text(), QStringLiteral("Print on report"));

  // The popup: caption (the default item), then the three arrays between
  // separators, each with its hidden item 0.
  QStringList entries;
  for (QAction* a : control_->PopupMenu()->actions())
    entries.append(a->isSeparator() ? QStringLiteral("-")
                   : a->isVisible() ? a->text()
                                    : QStringLiteral("(hidden)"));
  EXPECT_EQ(entries, (QStringList{"Wave settings", "-", "(hidden)", "Line", "Bar", "Area", "-",
                                  "(hidden)", "Grid X and Y", "Y grid only", "X grid only",
                                  "No grid", "-", "(hidden)", "Full screen mode"}));
  EXPECT_EQ(control_->PopupMenu()->defaultAction()->text(), QStringLiteral("Wave settings"));
  EXPECT_EQ(marks(Menu::Standard, 4), (QList<bool>{true, false, false}));
  EXPECT_EQ(marks(Menu::Grid, 5), (QList<bool>{true, false, false, false}));
  EXPECT_EQ(marks(Menu::Screen, 2), QList<bool>{false});
}

TEST_F(WaveformDialog, ShowWaveformPutsTheValidSamplesOnTheGraph) {
  auto callBack = std::make_shared<RecordingCallBack>();
  control_->SetCallBack(callBack);
  auto mk2 = olderWaveform(true);
  control_->ShowWaveform(mk2, false);
  EXPECT_EQ(graph().Points(), 150);
  EXPECT_EQ(graph().PointsShown(), 150);
  const QList<rt::Single> samples = values(*mk2);
  for (rt::Long i : {0, 1, 40, 149}) EXPECT_FLOAT_EQ(graph().Value(0, i), samples.at(i)) << i;
  // Time labels, 0 to 14.9 ms in steps of 0.1.
  EXPECT_EQ(graph().PointLabel(0), QStringLiteral("0"));
  EXPECT_EQ(graph().PointLabel(1), QStringLiteral("0.1"));
  EXPECT_EQ(graph().PointLabel(149), QStringLiteral("14.9"));
  // A labelled tick every millisecond.
  EXPECT_EQ(graph().LabelInterval(), 10);
  EXPECT_EQ(graph().XTickPoints(),
            (QList<rt::Long>{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120, 130, 140}));
  EXPECT_TRUE(child<QCheckBox>("chkPrintOnReport")->isChecked());
  EXPECT_FALSE(control_->DialogMode());

  mk2->SetIncludeInReport(false);
  control_->ShowWaveform(mk2, false);
  EXPECT_FALSE(child<QCheckBox>("chkPrintOnReport")->isChecked());
  EXPECT_TRUE(callBack->events.isEmpty()) << "showing a waveform is no change";

  // The newer generation's labels: 0.004 ms apart, in the user's format.
  testsupport::LocaleScope german(testsupport::LocaleScope::german());
  auto mk3 = std::make_shared<CWaveformMkIII>();
  mk3->Initialize(block(counts12(QList<int>(1000, -100))), QStringLiteral("H!"));
  control_->ShowWaveform(mk3, false);
  EXPECT_EQ(graph().Points(), 1000);
  EXPECT_EQ(graph().PointLabel(1), QStringLiteral("0,004"));
  EXPECT_EQ(graph().XTickPoints(), (QList<rt::Long>{0, 250, 500, 750}));
}

TEST_F(WaveformDialog, ShowWaveformWithoutSamplesKeepsTheGraph) {
  control_->ShowWaveform(olderWaveform(), false);
  // A waveform without samples sets only the print box.
  auto empty = std::make_shared<CWaveformMkIII>();
  empty->SetIncludeInReport(false);
  control_->ShowWaveform(empty, true);
  EXPECT_EQ(graph().Points(), 150);
  EXPECT_FALSE(child<QCheckBox>("chkPrintOnReport")->isChecked());
  EXPECT_TRUE(control_->DialogMode());

  // Nothing: only the kept waveform and the mode change.
  control_->ShowWaveform(nullptr, false);
  EXPECT_EQ(graph().Points(), 150);
  EXPECT_FALSE(control_->ShownWaveform());
  EXPECT_FALSE(control_->DialogMode());

  // An older waveform loaded with 3 values shows those 3 only.
  auto loaded = std::make_shared<CWaveFormMkII>();
  loaded->Load(element(QStringLiteral("<Waveform>0;12.5;3</Waveform>")), nullptr);
  control_->ShowWaveform(loaded, false);
  EXPECT_EQ(graph().Points(), 3);
  EXPECT_EQ(graph().Value(0, 1), 12.5);

  control_->ResetWaveForm();
  EXPECT_EQ(graph().Points(), 0);
}

TEST_F(WaveformDialog, LayoutInEachPlace) {
  const int w = 6000, h = 4500;
  const int top = 60 + 300 + 45;  // under the title
  struct Case {
    const char* what;
    bool dialog, waveform, comment;
    QRect graph, check, comment_, commentLabel;
    bool checkShown, commentShown, graphShown;
  };
  const int lineHeight = 255;
  const int check = h - 615 - lineHeight - lineHeight - 120;
  const Case cases[] = {
      {"dialog with comment and waveform", true, true, true, place(0, top, w, check - 120 - top),
       place(120, check, 3975, lineHeight), place(120, h - 615, w - 120, 615),
       place(120, h - 615 - lineHeight, 3975, lineHeight), true, true, true},
      {"dialog with a waveform only", true, true, false,
       place(0, top, w, h - lineHeight - 120 - 120 - top),
       place(120, h - lineHeight - 120, 3975, lineHeight), QRect(), QRect(), true, false, true},
      {"dialog with a comment only", true, false, true, QRect(), QRect(),
       place(120, lineHeight, w - 120, h - lineHeight), place(120, 0, 3975, lineHeight), false,
       true, false},
      {"guide panel", false, true, false, place(0, top, w, h - top), QRect(), QRect(), QRect(),
       false, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    control_ = std::make_shared<XPerformDischarge>();
    control_->show();
    if (c.dialog) {
      openDialog(c.waveform ? olderWaveform() : nullptr,
                 c.comment ? QStringLiteral("Paddles reseated") : QString(), w, h);
    } else {
      control_->resize(ui::toPixels(w), ui::toPixels(h));
      control_->ShowWaveform(olderWaveform(), false);
    }
    QWidget* graphWidget = control_->Graph();
    auto* box = child<QCheckBox>("chkPrintOnReport");
    auto* text = child<QPlainTextEdit>("txtComment");
    auto* label = child<QLabel>("lblComment");
    EXPECT_EQ(graphWidget->isVisible(), c.graphShown);
    EXPECT_EQ(box->isVisible(), c.checkShown);
    EXPECT_EQ(text->isVisible(), c.commentShown);
    EXPECT_EQ(label->isVisible(), c.commentShown);
    EXPECT_EQ(child<QLabel>("lblTitle")->isVisible(), c.graphShown);
    if (c.graphShown) {
      EXPECT_EQ(graphWidget->geometry(), c.graph);
    }
    if (c.checkShown) {
      EXPECT_EQ(box->geometry(), c.check);
    }
    if (c.commentShown) {
      EXPECT_EQ(text->geometry(), c.comment_);
      EXPECT_EQ(label->geometry(), c.commentLabel);
      EXPECT_EQ(text->toPlainText(), QStringLiteral("Paddles reseated"));
      EXPECT_TRUE(text->isReadOnly());
    }
  }

  // Too small for the graph: it keeps its last place.
  control_ = std::make_shared<XPerformDischarge>();
  openDialog(olderWaveform(), QStringLiteral("x"), 6000, 4500);
  const QRect before = control_->Graph()->geometry();
  control_->resize(ui::toPixels(6000), ui::toPixels(900));
  EXPECT_EQ(control_->Graph()->geometry(), before);
}

TEST_F(WaveformDialog, ThePrintBoxSetsTheWaveformsFlagAndNotifiesAChange) {
  auto callBack = std::make_shared<RecordingCallBack>();
  control_->SetCallBack(callBack);
  auto mk2 = olderWaveform(true);
  openDialog(mk2, QString());
  control_->show();
  EXPECT_TRUE(callBack->events.isEmpty()) << "opening the dialog is no change";

  auto* box = child<QCheckBox>("chkPrintOnReport");
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
  EXPECT_FALSE(mk2->IncludeInReport());
  EXPECT_EQ(callBack->events, QStringList{QStringLiteral("Change")});
  EXPECT_EQ(callBack->arguments, QList<qsizetype>{0});

  // Locked changes nothing on the control.
  control_->SetLocked(true);
  EXPECT_TRUE(control_->Locked());
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
  EXPECT_TRUE(mk2->IncludeInReport());
  EXPECT_EQ(callBack->events.size(), 2);
}

TEST_F(WaveformDialog, RightClickMenuChoosesStyleGridAndFullScreen) {
  control_->resize(ui::toPixels(6000), ui::toPixels(4500));
  control_->show();
  control_->ShowWaveform(olderWaveform(), false);
  auto* view = graph().findChild<QChartView*>();
  ASSERT_TRUE(view);
  const QPoint inside = view->viewport()->rect().center();
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, inside);
  EXPECT_FALSE(control_->PopupMenu()->isVisible()) << "only the right button opens the menu";
  QTest::mouseClick(view->viewport(), Qt::RightButton, {}, inside);
  EXPECT_TRUE(control_->PopupMenu()->isVisible());
  control_->PopupMenu()->close();

  item(Menu::Standard, 2).trigger();  // Bar
  EXPECT_EQ(graph().Style(), graph::PlottingStyle::Bar);
  EXPECT_EQ(marks(Menu::Standard, 4), (QList<bool>{false, true, false}));
  item(Menu::Standard, 3).trigger();  // Area
  EXPECT_EQ(graph().Style(), graph::PlottingStyle::Area);
  EXPECT_EQ(marks(Menu::Standard, 4), (QList<bool>{false, false, true}));
  item(Menu::Standard, 3).trigger();  // the same again keeps its mark
  EXPECT_EQ(marks(Menu::Standard, 4), (QList<bool>{false, false, true}));

  const struct {
    int item;
    graph::GridLines grid;
    bool xLines, yLines;
  } grids[] = {{2, graph::GridLines::YOnly, false, true},
               {3, graph::GridLines::XOnly, true, false},
               {4, graph::GridLines::None, false, false},
               {1, graph::GridLines::Both, true, true}};
  for (const auto& g : grids) {
    SCOPED_TRACE(g.item);
    item(Menu::Grid, g.item).trigger();
    EXPECT_EQ(graph().Grid(), g.grid);
    QList<bool> expected(4, false);
    expected[g.item - 1] = true;
    EXPECT_EQ(marks(Menu::Grid, 5), expected);
    EXPECT_EQ(graph().chart()->axes(Qt::Horizontal).at(0)->isGridLineVisible(), g.xLines);
    EXPECT_EQ(graph().chart()->axes(Qt::Vertical).at(0)->isGridLineVisible(), g.yLines);
  }
  EXPECT_EQ(marks(Menu::Standard, 4), (QList<bool>{false, false, true})) << "grids leave styles";

  item(Menu::Screen, 1).trigger();
  EXPECT_TRUE(item(Menu::Screen, 1).isChecked());
  EXPECT_EQ(marks(Menu::Grid, 5), (QList<bool>{true, false, false, false}));
  EXPECT_TRUE(graph().FullScreen());
  QWidget* maximised = graph().MaximisedWindow();
  ASSERT_TRUE(maximised);
  EXPECT_TRUE(maximised->isVisible());
  EXPECT_TRUE(maximised->isFullScreen());
  QTest::keyClick(maximised, Qt::Key_Escape);
  QApplication::processEvents();
  EXPECT_FALSE(graph().MaximisedWindow()) << "Escape closes the full-screen view";

  // The panel's own member opens it too: maximised, as the flag stays.
  control_->FullScreenWave();
  ASSERT_TRUE(graph().MaximisedWindow());
  EXPECT_TRUE(graph().MaximisedWindow()->isVisible());
}

TEST_F(WaveformDialog, TheGuidesSmallPanelShowsItsAxesWhole) {
  // The panel's place on the guide's waveform tab, in twips.
  control_->resize(ui::toPixels(4095), ui::toPixels(1935));
  auto mk3 = std::make_shared<CWaveformMkIII>();
  mk3->Initialize(block(biphasicBlock()), QStringLiteral("H!"));
  control_->ShowWaveform(mk3, false);
  control_->show();
  QApplication::processEvents();
  auto shownTexts = [&] {
    QStringList shown;
    for (QGraphicsItem* item : graph().findChild<QChartView*>()->scene()->items()) {
      auto* text = dynamic_cast<QGraphicsTextItem*>(item);
      if (text && text->isVisible() && !text->toPlainText().isEmpty())
        shown.append(text->toPlainText());
    }
    return shown;
  };
  const QStringList shown = shownTexts();
  for (const QString& text : shown)
    EXPECT_FALSE(text.endsWith(QStringLiteral("...")) || text.endsWith(QChar(0x2026)))
        << "cut short: " << text.toStdString();
  EXPECT_TRUE(shown.contains(QStringLiteral("Time [ms]")));
  EXPECT_TRUE(shown.contains(QStringLiteral("Peak I [A]")));
  for (const char* label : {"-20", "0", "20", "7"})
    EXPECT_TRUE(shown.contains(QLatin1String(label)));
  picture(*control_, QStringLiteral("guide-panel"));

  // A larger graph has room for more current labels.
  auto valueTicks = [&] {
    return qobject_cast<QValueAxis*>(graph().chart()->axes(Qt::Vertical).at(0))->tickCount();
  };
  const int few = valueTicks();
  control_->resize(ui::toPixels(6000), ui::toPixels(4500));
  QApplication::processEvents();
  EXPECT_GT(valueTicks(), few);
}

TEST_F(WaveformDialog, HostedByTheDialogHostForTheDischargeResult) {
  testsupport::TemporaryRegistry registry;
  ASSERT_TRUE(
      testsupport::registerServer(testsupport::builtLibrary(QStringLiteral("orvanRV1Xtst"))));
  FDialogWrapper form;
  const auto extender = form.CreateSetupCtrl(QStringLiteral("RV1XTests.XPerformDischarge"));
  ASSERT_TRUE(extender);
  QWidget hostWindow;  // the host's window the dialog docks into
  hostWindow.resize(ui::toPixels(7200), ui::toPixels(5400));
  hostWindow.show();
  form.Dock(ui::handleOf(&hostWindow));
  auto callBack = std::make_shared<RecordingCallBack>();
  form.SetCallBack(callBack);
  auto mk2 = olderWaveform(true);
  form.Initialize(
      com::toVariantOf(std::make_shared<StubDischargeResult>(mk2, QStringLiteral("Retested"))));
  form.Move(0, 0, 7200, 5400);
  form.Show(0);
  auto hosted = com::queryInterface<XPerformDischarge>(extender->Object());
  ASSERT_TRUE(hosted);
  EXPECT_TRUE(hosted->DialogMode());
  EXPECT_EQ(hosted->Graph()->Points(), 150);
  EXPECT_TRUE(hosted->findChild<QCheckBox*>(QStringLiteral("chkPrintOnReport"))->isChecked());
  EXPECT_TRUE(callBack->events.isEmpty());
  picture(hostWindow, QStringLiteral("dialog"));
  form.Unload();
}

TEST_F(WaveformDialog, AnythingButADischargeResultOnlySetsTheDialogMode) {
  control_->Initialize(QVariant(42));
  control_->Initialize(com::toVariantOf(olderWaveform()));
  EXPECT_TRUE(control_->DialogMode());
  EXPECT_EQ(graph().Points(), 0);
  EXPECT_FALSE(control_->ShownWaveform());
}

TEST_F(WaveformDialog, Pictures) {
  // The result's dialog with a comment, unticked print box.
  openDialog(olderWaveform(false), QStringLiteral("Second shock after paddle contact check."), 7200,
             5400);
  control_->show();
  picture(*control_, QStringLiteral("dialog-comment"));

  // The guide's panel on the guide's back colour, a biphasic newer curve.
  auto panel = std::make_shared<XPerformDischarge>();
  panel->SetBackColor(0x00F7DFD6);
  panel->resize(ui::toPixels(6000), ui::toPixels(3600));
  auto mk3 = std::make_shared<CWaveformMkIII>();
  mk3->Initialize(block(biphasicBlock()), QStringLiteral("H!"));
  panel->ShowWaveform(mk3, false);
  panel->show();
  picture(*panel, QStringLiteral("panel"));
  panel->MenuItem(Menu::Standard, 3)->trigger();
  panel->MenuItem(Menu::Grid, 4)->trigger();
  picture(*panel, QStringLiteral("panel-area-nogrid"));
  control_->MenuItem(Menu::Standard, 2)->trigger();
  picture(*control_, QStringLiteral("dialog-bar"));
  panel->FullScreenWave();
  ASSERT_TRUE(panel->Graph()->MaximisedWindow());
  picture(*panel->Graph()->MaximisedWindow(), QStringLiteral("maximised"));

  // A result with a comment and no waveform: only the comment.
  auto commentOnly = std::make_shared<XPerformDischarge>();
  commentOnly->resize(ui::toPixels(6000), ui::toPixels(2400));
  commentOnly->Initialize(com::toVariantOf(
      std::make_shared<StubDischargeResult>(nullptr, QStringLiteral("No waveform fetched."))));
  commentOnly->show();
  picture(*commentOnly, QStringLiteral("comment-only"));
}

}  // namespace
