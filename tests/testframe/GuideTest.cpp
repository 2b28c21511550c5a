// The guide window on its own: its controls, what its procedures show, the
// toolbar's buttons and the result view's events as the window's events.

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <cmath>

#include "FrameFixture.h"
#include "QtPrinters.h"
#include "ScriptedOperator.h"
#include "StoredElements.h"
#include "StubTestElement.h"
#include "controls/ListView.h"
#include "elements/TestInfo.h"
#include "guide/TestGuideService.h"
#include "records/RunObjects.h"
#include "runtime/ErrorHandling.h"
#include "settings/CConfigDischarge.h"
#include "settings/CConfigShock.h"
#include "settings/CMtiData2.h"
#include "settings/CShockAdviceSetting.h"
#include "settings/MtiRegistration.h"
#include "settings/XMTIData.h"
#include "tests/FRV1XTestGuide.h"
#include "tests/XTestInstruction.h"
#include "typelib/ILimitData.h"
#include "typelib/IMeasurement.h"
#include "typelib/IResultData.h"
#include "ui/Extender.h"
#include "ui/SyntheticInput.h"
#include "ui/Twips.h"
#include "views/XChargeTimeTestResult.h"
#include "views/XPerformanceResult.h"
#include "views/XShockResult.h"
#include "waveforms/CWaveformMkIII.h"
#include "waveforms/XPerformDischarge.h"

namespace {

using namespace frametests;
using orvanRV1Xtst::FRV1XTestGuide;
using testsupport::errorOf;

const QStringList kSteps{QStringLiteral("1. Connect pacer to Input Fixed Load"),
                         QStringLiteral("2. Connect ECG leads"),
                         QStringLiteral("3. Set ECG to maximum"),
                         QStringLiteral("4. Set pacer rate to 60 ppm"),
                         QStringLiteral("5. Start pacer"),
                         QStringLiteral("6. Press Play to start test, Stop to end test")};

struct Guide : FrameTest {
  std::shared_ptr<FRV1XTestGuide> guide = std::make_shared<FRV1XTestGuide>();
  host::RunContextPtr ctx = std::make_shared<host::RunContext>();
  QStringList events;

  void SetUp() override {
    FrameTest::SetUp();
    guide->Load();
    using G = FRV1XTestGuide;
    for (auto [signal, name] : {std::pair{&G::StartTest, "StartTest"},
                                {&G::StopTest, "StopTest"},
                                {&G::AbortTest, "AbortTest"},
                                {&G::NextTest, "NextTest"},
                                {&G::Previous, "Previous"},
                                {&G::Skip, "Skip"},
                                {&G::NA, "NA"}})
      QObject::connect(guide.get(), signal, guide.get(),
                       [this, name = QLatin1String(name)] { events << name; });
    QObject::connect(guide.get(), &G::ItemClicked, guide.get(), [this](bool current) {
      events << QStringLiteral("ItemClicked(%1)").arg(current ? "True" : "False");
    });
  }

  // A test of that ID with a result, in the window.
  host::ITestElementPtr filled(rt::Long testID, const QStringList& steps = kSteps) {
    const auto test = element(testID);
    test->Load(testsupport::xmlElement(QStringLiteral("<ResultItem Version=\"2\"/>")), nullptr);
    com::must(test->Limits()).CreateStandard(QStringLiteral("HOUSE"), QStringLiteral("House"));
    guide->InitGuide(test, ctx, steps);
    return test;
  }

  QWidget* child(const char* name) { return guide->findChild<QWidget*>(QLatin1String(name)); }
  bool press(rt::Long button) {
    return ui::click(
        child("xtbToolbar")->findChild<QWidget*>(QStringLiteral("button%1").arg(button)));
  }
  host::ITgToolbar& toolbar() { return *guide->xtbToolbar(); }
};

QRect placeOf(FRV1XTestGuide& guide, const char* name) {
  const std::shared_ptr<ui::Extender> extender = guide.Controls().Item(QLatin1String(name));
  return extender ? extender->widget()->geometry() : QRect();
}

TEST_F(Guide, LaysOutItsControlsAroundTheResultView) {
  filled(400);
  guide->show();
  const QRect window = guide->rect();
  const QRect toolbar = placeOf(*guide, "xtbToolbar");
  const QRect pane = placeOf(*guide, "xtwWizard");
  const QRect details = placeOf(*guide, "xtwDetails");
  const QRect identity = placeOf(*guide, "xmdMtiData");
  const QRect result = placeOf(*guide, "irvResult");
  // The toolbar along the bottom edge, the pane filling what is above it.
  EXPECT_EQ(toolbar.bottom(), window.bottom());
  EXPECT_EQ(toolbar.width(), window.width());
  EXPECT_EQ(toolbar.height(), ui::toPixels(645));
  EXPECT_EQ(pane.topLeft(), window.topLeft());
  EXPECT_EQ(pane.bottom() + 1, toolbar.top());
  // The step list at its place, the identity page right of it, the result
  // view below both, within the pane.
  EXPECT_EQ(details.topLeft(), QPoint(ui::toPixels(1200), ui::toPixels(480)));
  EXPECT_GT(identity.left(), details.right());
  EXPECT_EQ(result.left(), ui::toPixels(330));
  EXPECT_EQ(result.top(), ui::toPixels(2310));
  EXPECT_GE(result.top(), details.bottom());
  EXPECT_LE(result.bottom(), pane.bottom());
  EXPECT_FALSE(guide->Icon().isNull()) << "the host's picture 101";
  EXPECT_FALSE(guide->xtiPopup()->isVisible());
  EXPECT_FALSE(guide->xpdPerformDischarge()->isVisible()) << "no waveform tab for this test";
}

TEST_F(Guide, InitGuideShowsTheTestItsStepsItsIdentityAndItsResultView) {
  // The identity registered for the result is the one the editor shows.
  auto identity = std::make_shared<orvanRV1Xtst::CMtiData2>();
  identity->SetMtiType(QStringLiteral("RV-11"));
  identity->SetSerial(QStringLiteral("A-4711"));
  identity->SetFirmware(QStringLiteral("3.02"));
  const rt::Long index = orvanRV1Xtst::MMiscUtils::RegisterMti(ctx->MtiList(), identity);
  const auto test = element(400);
  com::must(test->Info()).SetName(QStringLiteral("Refractory period"));
  test->Load(testsupport::xmlElement(QStringLiteral("<ResultItem/>")), nullptr);
  test->Result()->SetMTIID(index);
  guide->InitGuide(test, ctx, kSteps);

  EXPECT_EQ(guide->Caption(), QStringLiteral("Test Guide - Refractory period"));
  EXPECT_EQ(guide->xtwDetails()->Steps(), kSteps);
  EXPECT_EQ(guide->findChild<QLineEdit*>(QStringLiteral("txtSerial"))->text(),
            QStringLiteral("A-4711"));
  EXPECT_EQ(guide->GetGuideMtiData()->Firmware(), QStringLiteral("3.02"));
  EXPECT_EQ(toolbar().BoundTest(), test);
  EXPECT_EQ(guide->xtwWizard()->TabCount(), 1) << "only the identity tab";
  EXPECT_EQ(guide->WaveformTab(), 0);
  // The toolbar's mask: the configuration's (Skip, N/A, Previous by
  // default) and always the run buttons.
  EXPECT_EQ(toolbar().ButtonMask(), 15);
  guide->MarkSteps({5, 6});
  EXPECT_EQ(guide->xtwDetails()->MarkedSteps(), (QList<rt::Integer>{5, 6}));
  testsupport::saveScreenshot(*guide, QStringLiteral("guide-steps-and-result-view"));
}

TEST_F(Guide, ANewTestsIdentityStartsFromTheModelTheHostFound) {
  ctx->setAnalyzerModel(QStringLiteral("RV-12P/15"));
  // Whatever the registry's last choice, the operator had picked RV-11.
  Q_EMIT guide->findChild<QComboBox*>(QStringLiteral("cboMtiType"))->activated(0);
  guide->InitGuide(element(300), ctx, kSteps);
  EXPECT_EQ(guide->GetGuideMtiData()->MtiType(), QStringLiteral("RV-12P"));
}

template <class View>
bool is(const orvanRV1Xtst::IRV1XResultViewPtr& view) {
  return std::dynamic_pointer_cast<View>(view) != nullptr;
}

TEST_F(Guide, TheResultViewFollowsTheTestID) {
  using namespace orvanRV1Xtst;
  const std::pair<rt::Long, bool (*)(const IRV1XResultViewPtr&)> cases[] = {
      {100, is<XChargeTimeTestResult>}, {200, is<XChargeTimeTestResult>},
      {300, is<XChargeTimeTestResult>}, {400, is<XChargeTimeTestResult>},
      {500, is<XChargeTimeTestResult>}, {600, is<XPerformanceResult>},
      {700, is<XShockResult>}};
  for (const auto& [testID, ofItsKind] : cases) {
    auto window = std::make_shared<FRV1XTestGuide>();
    window->Load();
    const auto test = element(testID);
    test->Load(testsupport::xmlElement(QStringLiteral("<ResultItem Version=\"2\"/>")), nullptr);
    window->InitGuide(test, ctx, {});
    EXPECT_TRUE(ofItsKind(window->ResultView())) << testID;
    EXPECT_EQ(window->ResultViewExtender()->widget()->objectName(), QStringLiteral("irvResult"));
    EXPECT_FALSE(window->ShockViewGotResults()) << testID;
  }
}

TEST_F(Guide, ADischargeTestThatFetchesItsCurveHasTheWaveformTab) {
  for (bool fetch : {true, false}) {
    SCOPED_TRACE(fetch);
    auto window = std::make_shared<FRV1XTestGuide>();
    window->Load();
    const auto test = element(200);
    std::dynamic_pointer_cast<orvanRV1Xtst::CConfigDischarge>(test->Configuration())
        ->SetFetchWaveform(fetch);
    window->InitGuide(test, ctx, {});
    EXPECT_EQ(window->xtwWizard()->TabCount(), fetch ? 2 : 1);
    EXPECT_EQ(window->WaveformTab(), fetch ? 1 : 0);
    auto wave = std::make_shared<orvanRV1Xtst::CWaveformMkIII>();
    QByteArray samples;
    // A damped discharge curve: signed 12-bit samples, high byte first.
    for (int i = 0; i < 1200; ++i) {
      const int value = int(1900 * std::exp(-i / 300.0) * std::sin(i / 120.0)) & 0xFFF;
      samples.append(char(value >> 8)).append(char(value & 0xFF));
    }
    wave->Initialize(QVariant(samples), QStringLiteral("H!"));
    window->ShowDischargeWaveform(wave);
    EXPECT_EQ(window->xtwWizard()->SelectedTab(), fetch ? 1 : 0);
    if (fetch) {
      window->show();
      testsupport::saveScreenshot(*window, QStringLiteral("guide-waveform-tab"));
    }
    window->ShowDischargeWaveform(nullptr);  // changes nothing
  }
}

TEST_F(Guide, StatusTextsWithATextKeyAreTranslated) {
  filled(400);
  const std::pair<QString, QString> cases[] = {
      {"20290::Test in progress, please wait...", "Test in progress, please wait..."},
      {"202901::Not a key", "202901::Not a key"},
      {"Ready", "Ready"},
      {"", ""},
  };
  for (const auto& [text, shown] : cases) {
    guide->SetStatusText(text);
    EXPECT_EQ(toolbar().Status()->Text(), shown) << qPrintable(text);
  }
}

TEST_F(Guide, TheRunStateIsTheToolbarsMode) {
  filled(400);
  struct Case {
    rt::Long state;
    bool hasResult;
    rt::Long mode;
    bool running;
  } cases[] = {
      {2, false, host::toolbarmode::Running, true},
      {1, true, host::toolbarmode::IdleWithResult, false},
      {1, false, host::toolbarmode::Idle, false},
      {3, true, host::toolbarmode::Idle, false},  // changes nothing
  };
  for (const Case& c : cases) {
    guide->SetRunState(c.state, c.hasResult);
    EXPECT_EQ(toolbar().Mode(), c.mode) << c.state;
    EXPECT_EQ(toolbar().Running(), c.running) << c.state;
  }
  const auto test = element(300);
  test->Load(
      testsupport::xmlElement(QStringLiteral("<ResultItem><Status Code=\"2\"/></ResultItem>")),
      nullptr);
  guide->ShowResultStatus(test->Result());
  EXPECT_EQ(toolbar().Status()->ResultStatus(), 2);
  guide->ShowResultStatus(nullptr);
  EXPECT_EQ(toolbar().Status()->ResultStatus(), 2) << "Nothing changes nothing";
}

// A button of an id the toolbar does not have.
struct ForeignButton : host::ToolbarButton {
  explicit ForeignButton(rt::Long id) : id(id) {}
  bool State() override { return true; }
  bool Enabled() override { return true; }
  void SetEnabled(bool) override {}
  rt::Long Id() override { return id; }
  rt::Long id;
};

TEST_F(Guide, PlayMeansPreviousStopOrStartByTheButtonsAndTheFlag) {
  filled(400);
  const std::shared_ptr<ui::Extender> bar = guide->Controls().Item(QStringLiteral("xtbToolbar"));
  const auto click = [&](const host::ToolbarButtonPtr& button, bool flag) {
    events.clear();
    Q_EMIT bar->ObjectEvent(QStringLiteral("ButtonClick"), {com::toVariantOf(button), flag});
    return events;
  };
  const host::ToolbarButtonPtr play = toolbar().Buttons(host::guidebuttons::Play);
  // Idle: Previous is enabled, so a flagged Play goes back.
  EXPECT_EQ(click(play, true), QStringList{"Previous"});
  EXPECT_EQ(click(play, false), QStringList{"StartTest"});
  // Running: Previous is locked and Play latched down.
  guide->SetRunState(orvanRV1Xtst::runstate::Running, false);
  EXPECT_EQ(click(play, true), QStringList{"StopTest"});
  EXPECT_EQ(click(play, false), QStringList{"StartTest"}) << "the flag False always starts";
  for (rt::Long id : {200, 104, 0})
    EXPECT_TRUE(click(std::make_shared<ForeignButton>(id), true).isEmpty()) << id;
}

TEST_F(Guide, PlayClearsTheShockViewBeforeARun) {
  const auto test = element(700);
  std::dynamic_pointer_cast<orvanRV1Xtst::CConfigShock>(test->Configuration())
      ->AddNew()
      ->SetWaveFormIndex(1);
  test->Load(testsupport::xmlElement(QStringLiteral("<ResultItem Version=\"2\"/>")), nullptr);
  guide->InitGuide(test, ctx, {});
  guide->show();
  guide->ShockViewHighlightNext();
  auto* table = guide->ResultViewExtender()->widget()->findChild<QAbstractItemView*>();
  ASSERT_TRUE(table);
  const QModelIndex shock = table->model()->index(0, 2);
  ASSERT_TRUE(ui::clickAt(table->viewport(), table->visualRect(shock).center()));
  EXPECT_TRUE(guide->ShockViewGotResults());
  EXPECT_EQ(events, QStringList{"ItemClicked(True)"});
  events.clear();
  // StartTest finds the view as it is at the start of a run.
  QObject::connect(guide.get(), &FRV1XTestGuide::StartTest, guide.get(),
                   [&] { events << (guide->ShockViewGotResults() ? "answered" : "cleared"); });
  EXPECT_TRUE(press(202));
  EXPECT_EQ(events, (QStringList{"StartTest", "cleared"}));
}

TEST_F(Guide, TheStandardChosenOnTheToolbarIsTheOneTheViewShows) {
  const auto test = filled(400);
  com::must(test->Limits()).CreateStandard(QStringLiteral("AAMI"), QStringLiteral("AAMI DF80"));
  toolbar().Bind(ctx, test);
  auto* choice = dynamic_cast<QWidget*>(guide->xtbToolbar().get())
                     ->findChild<QComboBox*>(QStringLiteral("cboStandard"));
  ASSERT_TRUE(choice);
  ASSERT_EQ(choice->count(), 2);
  choice->setCurrentIndex(1);
  Q_EMIT choice->activated(1);
  auto* list = guide->ResultViewExtender()->widget()->findChild<controls::ListView*>();
  ASSERT_TRUE(list);
  ASSERT_GE(list->ItemCount(), 1);
  EXPECT_EQ(list->SubItemToolTip(1, QStringLiteral("hi")), QStringLiteral("AAMI DF80"))
      << "the limits shown are the chosen standard's";
}

TEST_F(Guide, EachButtonRaisesItsEvent) {
  filled(400);
  guide->show();
  struct Case {
    rt::Long button;
    QList<int> answers;  // of the host's abort question
    QStringList raised;
  } cases[] = {
      {101, {ui::mb::Yes}, {"AbortTest"}},
      {101, {ui::mb::No}, {}},
      {102, {}, {"Skip"}},
      {103, {}, {"Previous"}},
      {202, {}, {"StartTest"}},
      {301, {}, {"NextTest"}},
      {302, {}, {"NA"}},
  };
  for (const Case& c : cases) {
    events.clear();
    messages().queueAnswers(c.answers);
    EXPECT_TRUE(press(c.button)) << c.button;
    EXPECT_EQ(events, c.raised) << c.button;
  }
  // While a run goes on, Play latched down and Stop both stop it.
  guide->SetRunState(orvanRV1Xtst::runstate::Running, false);
  for (rt::Long button : {201, 202}) {
    events.clear();
    EXPECT_TRUE(press(button)) << button;
    EXPECT_EQ(events, QStringList{"StopTest"}) << button;
  }
}

TEST_F(Guide, PreviousWritesTheIdentitiesTheOperatorTyped) {
  filled(400);
  guide->show();
  ui::typeText(guide->findChild<QLineEdit*>(QStringLiteral("txtSerial")), QStringLiteral("S-99"));
  EXPECT_TRUE(press(103));
  const QVariant stored = platform::RegistryStore::instance().readValue(
      platform::hive::LocalMachine,
      QStringLiteral("Software\\Tavrin\\Orvan\\RV-1X\\MtiData\\") +
          guide->GetGuideMtiData()->MtiType(),
      QStringLiteral("Serial"));
  EXPECT_EQ(stored.toString(), QStringLiteral("S-99"));
}

TEST_F(Guide, TheResultViewsEventsBecomeTheWindows) {
  filled(700);
  const std::shared_ptr<ui::Extender> view = guide->ResultViewExtender();
  const std::pair<QVariantList, QStringList> clicks[] = {
      {{}, {"ItemClicked(False)"}},
      {{QVariant(false)}, {"ItemClicked(False)"}},
      {{QVariant(true)}, {"ItemClicked(True)"}},
      {{QVariant(5)}, {"ItemClicked(True)"}},
  };
  for (const auto& [parameters, raised] : clicks) {
    events.clear();
    Q_EMIT view->ObjectEvent(QStringLiteral("ItemClicked"), parameters);
    EXPECT_EQ(events, raised);
  }
  events.clear();
  guide->show();
  Q_EMIT view->ObjectEvent(QStringLiteral("MouseDown"), {rt::Integer{1}, rt::Integer{0}, 5.0, 5.0});
  const auto menuShown = [&] {
    for (QMenu* menu :
         guide->xtbToolbar()
             ? dynamic_cast<QWidget*>(guide->xtbToolbar().get())->findChildren<QMenu*>()
             : QList<QMenu*>())
      if (menu->isVisible()) return true;
    return false;
  };
  EXPECT_FALSE(menuShown()) << "a left press does nothing";
  Q_EMIT view->ObjectEvent(QStringLiteral("MouseDown"), {rt::Integer{2}, rt::Integer{0}, 5.0, 5.0});
  EXPECT_TRUE(menuShown()) << "a right press offers the standards";
  EXPECT_TRUE(events.isEmpty());
}

TEST_F(Guide, ClosingTheWindowIsAbortOnceTheHostConfirms) {
  filled(400);
  guide->show();
  messages().queueAnswers({ui::mb::No});
  guide->close();
  EXPECT_TRUE(events.isEmpty());
  EXPECT_TRUE(guide->isVisible()) << "refused: the window stays";
  messages().queueAnswers({ui::mb::Yes});
  guide->close();
  EXPECT_EQ(events, QStringList{"AbortTest"});
  EXPECT_TRUE(guide->Loaded()) << "the test element hides and unloads it";
}

TEST_F(Guide, TheInstructionLiesOverTheResultView) {
  filled(400);
  guide->show();
  guide->ShowInstruction(QStringLiteral("TI:RV1X"),
                         QStringLiteral("20180::Please set range to Pace"), true);
  const auto popup = guide->xtiPopup();
  EXPECT_TRUE(popup->isVisible());
  EXPECT_EQ(popup->geometry(), guide->ResultViewExtender()->widget()->geometry());
  EXPECT_EQ(popup->HelpText()->text(), QStringLiteral("Please set range to Pace"));
  EXPECT_TRUE(popup->Flash());
  testsupport::saveScreenshot(*guide, QStringLiteral("guide-instruction"));
  EXPECT_EQ(errorOf([&] {
              guide->ShowInstruction(QStringLiteral("TI:NONE"), QStringLiteral("x"), false);
            }),
            326);
  guide->HideInstruction();
  EXPECT_FALSE(popup->isVisible());
  EXPECT_FALSE(popup->Flash());
}

TEST_F(Guide, AWindowWithoutItsResultViewStillHasItsWayOut) {
  // A registry in which the test library's views are not registered.
  testsupport::TemporaryRegistry bare;
  for (const char* library : {"orvanTGCL2", "orvanView"})
    ASSERT_TRUE(testsupport::registerServer(testsupport::builtLibrary(QLatin1String(library))));
  auto window = std::make_shared<FRV1XTestGuide>();
  window->Load();
  const auto test = std::make_shared<testsupport::StubTestElement>(400);
  test->limits = nullptr;
  window->InitGuide(test, ctx, kSteps);
  EXPECT_FALSE(window->ResultView());
  EXPECT_EQ(window->xtbToolbar()->BoundTest(), test) << "the toolbar is set up all the same";
  EXPECT_EQ(window->xtwWizard()->TabCount(), 1);
  window->ShowResult(nullptr);
  window->MarkSteps({1});
  EXPECT_EQ(errorOf([&] {
              window->ShowInstruction(QStringLiteral("TI:RV1X"), QStringLiteral("x"), false);
            }),
            91);
}

// The host's scripted operator judges in the columns the views have.
TEST_F(Guide, TheOperatorJudgesInTheViewsOwnColumns) {
  struct Case {
    rt::Long testID;
    const char* script;
    QVariant value;  // of the first measurement afterwards
    rt::Long status;
  } cases[] = {
      {600, "600 verdict=pass next", QVariant(true), 1},
      {600, "600 verdict=fail next", QVariant(false), 2},
      {700, "700 click=0,3 wait=0.2 next", QVariant(true), 2},  // the first step expects no shock
      {700, "700 click=0,4 wait=0.2 next", QVariant(false), 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    auto window = std::make_shared<FRV1XTestGuide>();
    window->Load();
    QObject::connect(window.get(), &FRV1XTestGuide::NextTest, window.get(),
                     [&] { window->Hide(); });
    const auto test = element(c.testID);
    test->Load(testsupport::xmlElement(QStringLiteral("<ResultItem Version=\"2\"/>")), nullptr);
    window->InitGuide(test, ctx, {});
    window->ShockViewHighlightNext();  // the first step plays
    host::ScriptedOperator person(host::OperatorScript::Parse(QLatin1String(c.script)));
    person.setPace(20);
    window->Show(ui::form::Modal);
    const host::IMeasurementPtr first = test->Result()->Measurement(1);
    EXPECT_EQ(first->Value(), c.value);
    EXPECT_EQ(first->Status(), c.status);
  }
}

// The identity the operator types is the one the window gives back.
TEST_F(Guide, TheOperatorsIdentityIsTheWindows) {
  filled(300);
  QObject::connect(guide.get(), &FRV1XTestGuide::NextTest, guide.get(), [&] { guide->Hide(); });
  host::ScriptedOperator person(
      host::OperatorScript::Parse(QStringLiteral("300 tab=0 mti=RV-12P,4711,2.01 wait=0.2 next")));
  person.setPace(20);
  person.setStateHook([](QWidget& window, rt::Long, const QString& state) {
    if (state == QLatin1String("leaving"))
      testsupport::saveScreenshot(window, QStringLiteral("guide-identity-typed"));
  });
  guide->Show(ui::form::Modal);
  const orvanRV1Xtst::CMtiData2Ptr identity = guide->GetGuideMtiData();
  ASSERT_TRUE(identity);
  EXPECT_EQ(identity->MtiType(), QStringLiteral("RV-12P"));
  EXPECT_EQ(identity->Serial(), QStringLiteral("4711"));
  EXPECT_EQ(identity->Firmware(), QStringLiteral("2.01"));
}

}  // namespace
