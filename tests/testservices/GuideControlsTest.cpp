// The host's guide controls by registered name: toolbar, content pane and
// step list, and pictures of a guide built on them.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QToolButton>

#include "FakeGuide.h"
#include "GuideFixture.h"
#include "LanguageScope.h"
#include "RecordingParts.h"
#include "StubTestElement.h"
#include "com/CreateObject.h"
#include "elements/TestElementBase.h"
#include "elements/TestInfo.h"
#include "guide/PaneTab.h"
#include "limits/Standard.h"
#include "ui/Controls.h"
#include "ui/SyntheticInput.h"
#include "ui/Twips.h"

namespace {

using namespace testservices;
using namespace host::guidebuttons;
using testsupport::errorOf;

struct Toolbar : GuideControlsFixture {
  QWidget window;
  ui::Controls controls{&window};
  std::shared_ptr<ui::Extender> extender;
  host::ITgToolbarPtr toolbar;
  QStringList events;
  QList<QVariantList> parameters;

  void SetUp() override {
    GuideControlsFixture::SetUp();
    extender = controls.Add(host::kToolbarProgId, QStringLiteral("xtbToolbar"));
    toolbar = com::cast<host::ITgToolbar>(extender->Object());
    QObject::connect(extender.get(), &ui::Extender::ObjectEvent,
                     [this](const QString& name, const QVariantList& args) {
                       events << name;
                       parameters << args;
                     });
    window.resize(600, 60);
    window.show();
  }
  QToolButton* widget(rt::Long id) {
    return extender->widget()->findChild<QToolButton*>(QStringLiteral("button%1").arg(id));
  }
};

TEST_F(Toolbar, ButtonsFollowTheMaskTheModeAndTheRunningState) {
  // Which buttons are there (mask) and which can be pressed (mode, running).
  struct Case {
    rt::Long mask, mode;
    bool running, locked;
    QList<rt::Long> enabled;
    QList<rt::Long> hidden;
  } cases[] = {
      {7,
       host::toolbarmode::Idle,
       false,
       false,
       {Abort, Skip, NotApplicable, Play, Next},
       {Previous}},
      {15,
       host::toolbarmode::IdleWithResult,
       false,
       false,
       {Abort, Skip, NotApplicable, Previous, Play, Next},
       {}},
      {15, host::toolbarmode::Running, false, false, {Abort, Play, Stop}, {}},
      {15, host::toolbarmode::Idle, true, true, {Abort, Play, Stop}, {}},
      {15,
       host::toolbarmode::Idle,
       true,
       false,
       {Abort, Skip, NotApplicable, Previous, Play, Stop, Next},
       {}},
      {11,
       host::toolbarmode::Idle,
       false,
       false,
       {Abort, Skip, NotApplicable, Previous, Next},
       {Play, Stop}},
  };
  for (const Case& c : cases) {
    rt::Long mask = c.mask;
    toolbar->SetButtonMask(host::maskoperation::Set, mask);
    toolbar->SetMode(c.mode);
    toolbar->SetRunning(QVariant(), c.running, c.locked);
    for (rt::Long id : {Abort, Skip, Previous, Stop, Play, Next, NotApplicable}) {
      const host::ToolbarButtonPtr button = toolbar->Buttons(id);
      EXPECT_EQ(button->Id(), id);
      EXPECT_EQ(button->Enabled(), c.enabled.contains(id))
          << "mask " << c.mask << " mode " << c.mode << " button " << id;
      EXPECT_EQ(widget(id)->isVisible(), !c.hidden.contains(id)) << "button " << id;
      EXPECT_EQ(widget(id)->isEnabled(), c.enabled.contains(id)) << "button " << id;
    }
    EXPECT_EQ(toolbar->Buttons(Play)->State(), c.mode == host::toolbarmode::Running || c.running);
    EXPECT_EQ(toolbar->Running(), c.mode == host::toolbarmode::Running || c.running);
  }
}

TEST_F(Toolbar, TheGuidesOwnSayCountsBesideTheMode) {
  toolbar->SetMode(host::toolbarmode::IdleWithResult);
  toolbar->Buttons(Previous)->SetEnabled(false);
  EXPECT_FALSE(toolbar->Buttons(Previous)->Enabled());
  toolbar->SetMode(host::toolbarmode::Idle);
  EXPECT_FALSE(toolbar->Buttons(Previous)->Enabled()) << "a mode change keeps the guide's say";
  toolbar->Buttons(Previous)->SetEnabled(true);
  EXPECT_TRUE(toolbar->Buttons(Previous)->Enabled());
  toolbar->SetMode(host::toolbarmode::Running);
  toolbar->Buttons(Previous)->SetEnabled(true);
  EXPECT_FALSE(toolbar->Buttons(Previous)->Enabled()) << "a run locks navigation";
  EXPECT_EQ(errorOf([&] { toolbar->Buttons(200); }), rt::err::SubscriptOutOfRange);
}

TEST_F(Toolbar, TheMaskIsSetAddedOrRemovedAndAnsweredBack) {
  struct Case {
    rt::Long operation, bits, expected;
  } cases[] = {{host::maskoperation::Set, 7, 7},
               {host::maskoperation::Add, 8, 15},
               {host::maskoperation::Remove, 1, 14}};
  for (const Case& c : cases) {
    rt::Long mask = c.bits;
    events.clear();
    toolbar->SetButtonMask(c.operation, mask);
    EXPECT_EQ(mask, c.expected);
    EXPECT_EQ(toolbar->ButtonMask(), c.expected);
    EXPECT_EQ(events, QStringList{QStringLiteral("LayoutChanged")});
  }
  rt::Long mask = 1;
  EXPECT_EQ(errorOf([&] { toolbar->SetButtonMask(4, mask); }), rt::err::InvalidCall);
}

TEST_F(Toolbar, AClickRaisesButtonClickWithTheButtonAndItsState) {
  ASSERT_TRUE(ui::click(widget(Play)));
  toolbar->SetMode(host::toolbarmode::Running);
  ASSERT_TRUE(ui::click(widget(Play)));
  EXPECT_FALSE(ui::click(widget(Next))) << "a disabled button takes no click";
  ASSERT_EQ(events, (QStringList{QStringLiteral("ButtonClick"), QStringLiteral("ButtonClick")}));
  for (int i = 0; i < 2; ++i) {
    auto button = com::variantAs<host::ToolbarButton>(parameters.at(i).value(0));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->Id(), Play);
    EXPECT_EQ(parameters.at(i).value(1).toBool(), i == 1) << "the flag is the state when pressed";
  }
  EXPECT_TRUE(widget(Play)->isChecked()) << "Play stays latched while running";
}

TEST_F(Toolbar, StatusShowsItsTextAndTheResult) {
  const struct {
    rt::Integer status;
    const char* text;
  } cases[] = {{0, "Not tested"}, {1, "Passed"}, {2, "Failed"}, {3, "Skipped"}};
  auto* result = extender->widget()->findChild<QLabel*>(QStringLiteral("lblResult"));
  for (const auto& c : cases) {
    toolbar->Status()->SetResultStatus(c.status);
    EXPECT_EQ(toolbar->Status()->ResultStatus(), c.status);
    EXPECT_EQ(result->text(), QLatin1String(c.text));
  }
  toolbar->Status()->SetText(QStringLiteral("Test in progress, please wait..."));
  EXPECT_EQ(extender->widget()->findChild<QLabel*>(QStringLiteral("lblStatus"))->text(),
            QStringLiteral("Test in progress, please wait..."));
}

// The indicator speaks the language of the status line beside it, and its
// longest word fits (German words are longer than the design's English).
TEST_F(GuideControlsFixture, TheResultIndicatorSpeaksTheHostsLanguageAndFits) {
  const testsupport::LanguageScope german{QStringLiteral("de")};
  QWidget window;
  ui::Controls controls{&window};
  auto extender = controls.Add(host::kToolbarProgId, QStringLiteral("xtbToolbar"));
  auto toolbar = com::cast<host::ITgToolbar>(extender->Object());
  window.resize(600, 60);
  window.show();
  auto* result = extender->widget()->findChild<QLabel*>(QStringLiteral("lblResult"));
  const struct {
    rt::Integer status;
    const char* note;
    const char* text;
  } cases[] = {{0, "", "Nicht geprüft"},
               {1, "", "Bestanden"},
               {2, "", "Nicht bestanden"},
               {0, "Nicht beurteilt: kein Grenzwert ist aktiviert", "Nicht beurteilt"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    toolbar->Status()->SetResultStatus(c.status);
    toolbar->Status()->SetResultNote(QString::fromUtf8(c.note));
    EXPECT_EQ(result->text(), QString::fromUtf8(c.text));
    QFont bold = result->font();
    bold.setBold(true);
    EXPECT_LT(QFontMetrics(bold).horizontalAdvance(result->text()), result->width());
  }
}

// Beside the German indicator the standard's box has less room than the
// design gave it: a name is drawn smaller, and one that does not fit even so
// ends in an ellipsis, never cut so that it reads as another standard.
TEST_F(GuideControlsFixture, TheStandardsNameBesideTheGermanIndicatorIsNeverCutUnmarked) {
  const testsupport::LanguageScope german{QStringLiteral("de")};
  QWidget window;
  ui::Controls controls{&window};
  auto extender = controls.Add(host::kToolbarProgId, QStringLiteral("xtbToolbar"));
  auto toolbar = com::cast<host::ITgToolbar>(extender->Object());
  const QStringList names{QStringLiteral("IEC 60601-2-4"), QStringLiteral("Labelled accuracy")};
  auto limits = std::make_shared<RecordingLimits>(std::make_shared<Journal>());
  limits->standards = std::make_shared<host::StandardsCollection>();
  auto ctx = std::make_shared<host::RunContext>();
  for (const QString& name : names) {
    auto standard = std::make_shared<host::Standard>();
    standard->Init(name, name, 1);
    limits->standards->Add(standard);
    ctx->SelectedStandards()->Add(standard);
  }
  auto test = std::make_shared<host::TestElementBase>();
  test->SetLimits(limits);
  toolbar->Bind(ctx, test);
  toolbar->Status()->SetResultStatus(0);
  toolbar->Status()->SetResultNote(QStringLiteral("Nicht beurteilt: kein Grenzwert ist aktiviert"));
  window.resize(ui::toPixels(8910), 60);
  extender->widget()->resize(ui::toPixels(8910), 43);
  window.show();
  auto* box = extender->widget()->findChild<QComboBox*>(QStringLiteral("cboStandard"));
  for (int i = 0; i < names.size(); ++i) {
    SCOPED_TRACE(qPrintable(names.at(i)));
    box->setCurrentIndex(i);
    const QString shown = box->property("shownText").toString();
    EXPECT_TRUE(shown == names.at(i) ||
                (shown.endsWith(QChar(0x2026)) && names.at(i).startsWith(shown.chopped(1))))
        << qPrintable(shown);
  }
  box->setCurrentIndex(0);
  EXPECT_EQ(box->property("shownText").toString(), names.first()) << "drawn smaller, whole";
}

// Why a result is not judged stands on the status line, whole: a long reason
// in a smaller font, or after the heading that the indicator beside it says
// already; the whole note stays the line's tip.
TEST_F(Toolbar, TheReasonAResultIsNotJudgedShowsWhole) {
  auto* line = extender->widget()->findChild<QLabel*>(QStringLiteral("lblStatus"));
  const QFont designed = line->font();
  toolbar->Status()->SetResultStatus(0);
  for (const char* reason : {"no limit is enabled", "no standard of the test is selected",
                             "the analyzer gave no sensed refractory period"}) {
    SCOPED_TRACE(reason);
    const QString note = QStringLiteral("Not judged: ") + QLatin1String(reason);
    toolbar->Status()->SetResultNote(note);
    EXPECT_TRUE(line->text().endsWith(QLatin1String(reason))) << qPrintable(line->text());
    EXPECT_LE(QFontMetrics(line->font()).horizontalAdvance(line->text()), line->width());
    EXPECT_EQ(line->toolTip(), note);
  }
  toolbar->Status()->SetResultNote(QStringLiteral("Not judged: no limit is enabled"));
  EXPECT_EQ(line->text(), QStringLiteral("Not judged: no limit is enabled"));
  EXPECT_EQ(line->font(), designed) << "a note that fits keeps the line's font";
}

// The box offers the test's standards and shows a selected one; a pick in it
// makes that standard the one the test is judged by, and leaves what is
// selected for other tests.
TEST_F(Toolbar, BindOffersTheTestsStandardsAndAPickSelectsTheOneThatJudges) {
  JournalPtr journal = std::make_shared<Journal>();
  auto limits = std::make_shared<RecordingLimits>(journal);
  limits->standards = std::make_shared<host::StandardsCollection>();
  for (const char* name : {"HOUSE", "IEC"}) {
    auto standard = std::make_shared<host::Standard>();
    standard->Init(QLatin1String(name), QStringLiteral("%1 complete").arg(QLatin1String(name)), 1);
    limits->standards->Add(standard);
  }
  auto test = std::make_shared<host::TestElementBase>();
  test->SetLimits(limits);
  auto ctx = std::make_shared<host::RunContext>();
  auto iec = std::make_shared<host::Standard>();
  iec->Init(QStringLiteral("IEC"), QStringLiteral("IEC complete"), 1);
  ctx->SelectedStandards()->Add(iec);
  auto another = std::make_shared<host::Standard>();
  another->Init(QStringLiteral("AAMI"), QStringLiteral("of another test"), 1);
  ctx->SelectedStandards()->Add(another);

  toolbar->Bind(ctx, test);
  EXPECT_EQ(events, QStringList{QStringLiteral("StandardChanged")});
  EXPECT_EQ(toolbar->BoundTest(), test);
  host::StandardSelectionPtr chosen = toolbar->StandardSelection();
  EXPECT_EQ(chosen->AlphaName(), QStringLiteral("IEC"));
  EXPECT_EQ(chosen->CompleteName(), QStringLiteral("IEC complete"));
  EXPECT_TRUE(chosen->Flag());

  auto* combo = extender->widget()->findChild<QComboBox*>(QStringLiteral("cboStandard"));
  EXPECT_EQ(combo->itemText(0), QStringLiteral("HOUSE (not used)"));
  EXPECT_EQ(combo->itemData(0, Qt::UserRole), QVariant(QStringLiteral("HOUSE")));
  ui::pressKey(combo, Qt::Key_Home);
  EXPECT_EQ(events.count(QStringLiteral("StandardChanged")), 2);
  chosen = toolbar->StandardSelection();
  EXPECT_EQ(chosen->AlphaName(), QStringLiteral("HOUSE"));
  EXPECT_TRUE(chosen->Flag()) << "picked: the test is judged by it";
  const host::StandardsCollectionPtr selected = ctx->SelectedStandards();
  EXPECT_TRUE(selected->Find(0, QStringLiteral("HOUSE"), QStringLiteral("HOUSE complete")));
  EXPECT_FALSE(selected->Find(0, QStringLiteral("IEC"), QStringLiteral("IEC complete")));
  EXPECT_TRUE(selected->Find(0, QStringLiteral("AAMI"), QStringLiteral("of another test")));
  EXPECT_EQ(combo->itemText(0), QStringLiteral("HOUSE"));
  EXPECT_EQ(combo->itemText(1), QStringLiteral("IEC (not used)"));

  toolbar->OnRightMouseDown();  // offers the standards without waiting for a choice
  test.reset();
  EXPECT_EQ(toolbar->BoundTest(), nullptr) << "the toolbar keeps no test alive";
  toolbar->Bind(nullptr, nullptr);
  EXPECT_EQ(toolbar->StandardSelection()->AlphaName(), QString());
}

struct Pane : GuideControlsFixture {
  QWidget window;
  ui::Controls controls{&window};
  host::ITgContentPanePtr pane;
  std::shared_ptr<ui::Extender> pages[2];

  void SetUp() override {
    GuideControlsFixture::SetUp();
    pane = com::cast<host::ITgContentPane>(
        controls.Add(host::kContentPaneProgId, QStringLiteral("xtwWizard"))->Object());
    for (int i = 0; i < 2; ++i)
      pages[i] =
          controls.AddObject(std::make_shared<ui::UserControl>(), QStringLiteral("page%1").arg(i));
    window.resize(600, 380);
    window.show();
  }
  host::PaneTabPtr tab(const QString& caption) {
    auto t = std::make_shared<host::PaneTab>();
    t->SetCaption(caption);
    return t;
  }
};

// A caption longer than the design's (the German ones) stands whole in its
// tab, chosen or not: no letter of it reaches the edge where it would be cut.
TEST_F(Pane, ALongTabCaptionIsNeverCut) {
  pane->AddTab(tab(QStringLiteral("MTI-Daten")), pages[0]);
  pane->AddTab(tab(QStringLiteral("Spitzenstrom I [A]")), pages[1]);
  auto* button = dynamic_cast<QWidget*>(pane.get())->findChild<QWidget*>(QStringLiteral("tab1"));
  ASSERT_TRUE(button);
  for (rt::Long chosen : {0, 1}) {
    SCOPED_TRACE(chosen);
    pane->ShowTab(chosen);
    // The caption's dark ink, apart from the chosen tab's light frame and
    // ground (this tab has no picture).
    QImage drawn(button->size(), QImage::Format_ARGB32);
    drawn.fill(Qt::transparent);
    button->render(&drawn, {}, {}, QWidget::RenderFlags());
    int left = drawn.width(), right = -1, bottom = -1;
    for (int y = 0; y < drawn.height(); ++y)
      for (int x = 0; x < drawn.width(); ++x)
        if (const QRgb ink = drawn.pixel(x, y); qAlpha(ink) > 0 && qGreen(ink) < 0x80) {
          left = std::min(left, x);
          right = std::max(right, x);
          bottom = std::max(bottom, y);
        }
    ASSERT_GE(right, 0) << "the caption is drawn";
    EXPECT_GT(left, 2);
    EXPECT_LT(right, drawn.width() - 3);
    EXPECT_LT(bottom, drawn.height() - 2) << "its last line is not cut at the bottom";
  }
}

TEST_F(Pane, TabsCountFromZeroAndShowOnlyTheSelectedPage) {
  EXPECT_EQ(pane->SelectedTab(), -1);
  EXPECT_EQ(pane->AddTab(tab(QStringLiteral("MTI Data")), pages[0]), 0);
  EXPECT_EQ(pane->AddTab(tab(QStringLiteral("Peak I [A]")), pages[1]), 1);
  EXPECT_EQ(pane->SelectedTab(), 0) << "the first tab is selected";
  EXPECT_TRUE(pages[0]->Visible());
  EXPECT_FALSE(pages[1]->Visible());
  pane->ShowTab(1);
  EXPECT_FALSE(pages[0]->Visible());
  EXPECT_TRUE(pages[1]->Visible());
  EXPECT_EQ(errorOf([&] { pane->ShowTab(2); }), rt::err::SubscriptOutOfRange);
  auto* pane0 = dynamic_cast<QWidget*>(pane.get());
  ASSERT_TRUE(ui::click(pane0->findChild<QWidget*>(QStringLiteral("tab0"))));
  EXPECT_EQ(pane->SelectedTab(), 0) << "a click on a tab selects it";

  pane->SetResultPane(pages[0]);
  pane->Attach(&window);
  EXPECT_EQ(window.children().indexOf(pane0), 0) << "the pane lies behind its siblings";
  pane->Clear();
  EXPECT_EQ(pane->TabCount(), 0);
  EXPECT_EQ(pane->ResultPane(), nullptr);
  EXPECT_EQ(pane0->findChild<QWidget*>(QStringLiteral("tab0")), nullptr);
}

TEST_F(GuideControlsFixture, TheStepListMarksOnlyStepsItHas) {
  auto wizard = com::createObjectAs<host::ITestWizard>(host::kTestWizardProgId);
  QVariant steps = QStringList{QStringLiteral("1. Connect"), QStringLiteral("2. Press Play"),
                               QStringLiteral("3. Wait")};
  wizard->SetSteps(steps);
  EXPECT_EQ(wizard->Steps().size(), 3);
  struct Case {
    QVariant numbers;
    QList<rt::Integer> marked;
  } cases[] = {
      {QVariantList{1, 3, 7}, {1, 3}},
      {QVariantList{}, {}},
      {QVariant(2), {2}},
      {QVariant(), {}},
  };
  for (Case& c : cases) {
    wizard->MarkSteps(c.numbers);
    // Empty lists are compared by size: Qt's comparison of two empty lists
    // hands memcmp a null pointer.
    if (c.marked.isEmpty())
      EXPECT_TRUE(wizard->MarkedSteps().isEmpty());
    else
      EXPECT_EQ(wizard->MarkedSteps(), c.marked);
  }
  QVariant one = QStringLiteral("Only step");
  wizard->SetSteps(one);
  EXPECT_EQ(wizard->Steps(), QStringList{QStringLiteral("Only step")});
  QVariant none;
  wizard->SetSteps(none);
  EXPECT_TRUE(wizard->Steps().isEmpty());
}

// Marks show exactly the steps marked, every step when all are (after a
// run); marking none (before a run) greys none out; a step without text
// takes no line.
TEST_F(GuideControlsFixture, TheStepListSinglesOutOnlySomeOfItsSteps) {
  using host::StepLook;
  auto wizard = com::createObjectAs<host::ITestWizard>(host::kTestWizardProgId);
  QVariant steps = QStringList{QStringLiteral("1. Set energy"), QStringLiteral("2. Set range"),
                               QStringLiteral("3. Press play"), QString()};
  wizard->SetSteps(steps);
  const struct {
    QVariantList marks;
    QList<StepLook> looks;
  } cases[] = {
      {{}, {StepLook::Plain, StepLook::Plain, StepLook::Plain, StepLook::LeftOut}},
      {{1, 2, 3, 4}, {StepLook::Current, StepLook::Current, StepLook::Current, StepLook::LeftOut}},
      {{1, 2, 3}, {StepLook::Current, StepLook::Current, StepLook::Current, StepLook::LeftOut}},
      {{3}, {StepLook::Greyed, StepLook::Greyed, StepLook::Current, StepLook::LeftOut}},
      {{1, 2}, {StepLook::Current, StepLook::Current, StepLook::Greyed, StepLook::LeftOut}},
      {{4}, {StepLook::Plain, StepLook::Plain, StepLook::Plain, StepLook::LeftOut}},
  };
  for (const auto& c : cases) {
    QVariant marks = c.marks;
    wizard->MarkSteps(marks);
    QList<StepLook> looks;
    for (rt::Integer number = 1; number <= 4; ++number) looks.append(wizard->Look(number));
    EXPECT_TRUE(looks == c.looks) << qPrintable(QVariant(c.marks).toStringList().join(u','));
  }
  EXPECT_EQ(wizard->Look(0), StepLook::LeftOut);
  EXPECT_EQ(wizard->Look(5), StepLook::LeftOut);
}

// The test's name and kind show whole above the step list: a kind too long
// for one line takes two, and the step list starts below them.
TEST_F(GuideControlsFixture, ATestsKindTooLongForOneLineTakesTwoAboveTheStepList) {
  const auto stepListOf = [&](const QString& name, const QString& type, const QString& parameter) {
    auto test = std::make_shared<host::TestElementBase>();
    test->Initialize(host::kProduct, 400, 0);
    test->Info()->SetName(name);
    test->Info()->SetTypeAndParameter(type, parameter);
    FakeGuide guide(test, fakeResultFor(400), std::make_shared<host::RunContext>());
    guide.Show();
    const auto* steps = guide.findChild<QWidget*>(QStringLiteral("xtwDetails"));
    const QRect place = steps ? steps->geometry() : QRect();
    picture(guide, QStringLiteral("guide-kind-") + parameter.section(u' ', 0, 0).toLower());
    guide.Hide();
    return place;
  };
  const QRect shortKind =
      stepListOf(QStringLiteral("Charge time test"), QStringLiteral("Defibrillator"),
                 QStringLiteral("Charge time"));
  const QRect longKind =
      stepListOf(QStringLiteral("Refractory period test"), QStringLiteral("Transcutaneous pacer"),
                 QStringLiteral("Refractory period"));
  EXPECT_EQ(shortKind.top(), ui::toPixels(480)) << "its designed place";
  EXPECT_GT(longKind.top(), shortKind.top());
  EXPECT_EQ(longKind.bottom(), shortKind.bottom());
}

TEST_F(GuideControlsFixture, AGuideOnTheHostControlsAtItsMainStates) {
  auto test = std::make_shared<host::TestElementBase>();
  test->Initialize(host::kProduct, 200, 0);
  test->Info()->SetName(QStringLiteral("Discharge test"));
  test->Info()->SetTypeAndParameter(QStringLiteral("Defibrillator"), QStringLiteral("Energy"));
  FakeResultPtr result = fakeResultFor(200);
  FakeGuide guide(test, result, std::make_shared<host::RunContext>());
  guide.Show();
  EXPECT_EQ(guide.Caption(), QStringLiteral("Test Guide - Discharge test"));
  const QImage idle = picture(guide, QStringLiteral("guide-idle"));
  EXPECT_EQ(idle.size(), QSize(594, 375));

  guide.toolbar().SetMode(host::toolbarmode::Running);
  guide.toolbar().SetRunning(QVariant(), true, true);
  guide.toolbar().Status()->SetText(QStringLiteral("Test in progress, please wait..."));
  QVariant none = QVariantList{};
  guide.wizard().MarkSteps(none);
  const QImage running = picture(guide, QStringLiteral("guide-running"));
  EXPECT_NE(running, idle);

  result->measurements.first()->value = 12.5;
  result->measurements.first()->status = 1;
  guide.view().Show(result);
  guide.toolbar().SetMode(host::toolbarmode::IdleWithResult);
  guide.toolbar().SetRunning(QVariant(), false, false);
  guide.toolbar().Status()->SetText(QString());
  guide.toolbar().Status()->SetResultStatus(1);
  guide.pane().ShowTab(1);
  picture(guide, QStringLiteral("guide-passed-waveform-tab"));
  guide.Hide();
}

}  // namespace
