#include "tests/FRV1XTestGuide.h"

#include "com/CreateObject.h"
#include "controls/MouseCodes.h"
#include "guide/ImageService.h"
#include "guide/PaneTab.h"
#include "guide/TestGuideService.h"
#include "records/RunContext.h"
#include "records/TestGuideSettingsObject.h"
#include "results/CResultBase.h"
#include "results/NotJudged.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "services/LanguageService.h"
#include "settings/CConfigBase.h"
#include "settings/CConfigDischarge.h"
#include "settings/MtiRegistration.h"
#include "settings/XMTIData.h"
#include "tests/CTestFrame.h"
#include "tests/XTestInstruction.h"
#include "typelib/IResultData.h"
#include "typelib/ITestElement.h"
#include "ui/Extender.h"
#include "ui/Resources.h"
#include "ui/ZOrder.h"
#include "waveforms/XPerformDischarge.h"

namespace orvanRV1Xtst {

namespace {

namespace buttonid = host::guidebuttons;

const QString kLibrary = QStringLiteral("orvanRV1Xtst");
constexpr double kClientWidth = 8910;
constexpr double kClientHeight = 5625;

constexpr std::uint32_t kTabMaskColor = 0x000000FFu;  // the tab bitmaps' corner colour
constexpr std::uint32_t kWaveformBack = 0x00F7DFD6u;
// The toolbar always offers its run buttons; the test's settings add the
// others.
constexpr rt::Long kDefaultButtonMask = 7;
constexpr rt::Long kRunButtonsBit = 4;

// The designed place of a control, in twips.
struct Place {
  double left, top, width, height;
};
constexpr Place kPanePlace{0, 0, 8895, 5175};
constexpr Place kToolbarPlace{0, 4980, 8910, 645};
constexpr Place kDetailsPlace{1200, 480, 2775, 2055};
constexpr Place kIdentityPlace{3720, 120, 4935, 2295};
constexpr Place kWaveformPlace{4560, 120, 4095, 1935};
constexpr Place kPopupPlace{960, 3120, 7215, 1335};
constexpr Place kResultPlace{330, 2310, 8550, 2895};

void place(ui::Extender& extender, const Place& at) {
  extender.Move(at.left, at.top, at.width, at.height);
}

}  // namespace

FRV1XTestGuide::FRV1XTestGuide() {
  setObjectName(QStringLiteral("FRV1XTestGuide"));
  SetCaption(QStringLiteral("Orvan Test Guide"));
  SetClientSize(kClientWidth, kClientHeight);
}

FRV1XTestGuide::~FRV1XTestGuide() {
  rt::ignoreErrors([&] {
    if (pane_) {
      pane_->Detach(this);
      pane_->Clear();
    }
  });
}

void FRV1XTestGuide::CreateDesignedControls() {
  if (pane_) return;
  paneExtender_ = Controls().Add(host::kContentPaneProgId, QStringLiteral("xtwWizard"));
  pane_ = com::cast<host::ITgContentPane>(paneExtender_->Object());
  place(*paneExtender_, kPanePlace);

  toolbarExtender_ = Controls().Add(host::kToolbarProgId, QStringLiteral("xtbToolbar"));
  toolbar_ = com::cast<host::ITgToolbar>(toolbarExtender_->Object());
  place(*toolbarExtender_, kToolbarPlace);
  connect(toolbarExtender_.get(), &ui::Extender::ObjectEvent, this,
          [this](const QString& name, const QVariantList& parameters) {
            rt::ignoreErrors([&] { xtbToolbar_ObjectEvent(name, parameters); });
          });

  detailsExtender_ = Controls().Add(host::kTestWizardProgId, QStringLiteral("xtwDetails"));
  wizard_ = com::cast<host::ITestWizard>(detailsExtender_->Object());
  place(*detailsExtender_, kDetailsPlace);

  identity_ = std::make_shared<XMTIData>();
  identityExtender_ = Controls().AddObject(identity_, QStringLiteral("xmdMtiData"));
  place(*identityExtender_, kIdentityPlace);

  waveformPanel_ = std::make_shared<XPerformDischarge>();
  waveformExtender_ = Controls().AddObject(waveformPanel_, QStringLiteral("xpdPerformDischarge"));
  place(*waveformExtender_, kWaveformPlace);
  // Its page shows only once its tab is added and chosen.
  waveformExtender_->SetVisible(false);

  popup_ = std::make_shared<XTestInstruction>();
  popupExtender_ = Controls().AddObject(popup_, QStringLiteral("xtiPopup"));
  place(*popupExtender_, kPopupPlace);
  popupExtender_->SetVisible(false);
}

// --- window events -------------------------------------------------------

void FRV1XTestGuide::Form_Load() {
  CreateDesignedControls();
  rt::ignoreErrorsEach(
      [&] {
        QImage icon;
        host::ImageService::instance()->GetImage(host::image::TestGuide, icon);
        SetIcon(icon);
      },
      [&] { host::LanguageService::instance()->TranslateControls(host::kProduct, this); });
}

void FRV1XTestGuide::Form_Activate() {
  rt::ignoreErrors([&] { com::must(com::must(mEmbeddedControl_).widget()).setFocus(); });
}

void FRV1XTestGuide::Form_Resize() {
  rt::ignoreErrorsEach(
      [&] {
        const double toolbarHeight = com::must(toolbarExtender_).Height();
        com::must(paneExtender_)
            .Move(0, 0, ScaleWidth(), std::max(0.0, ScaleHeight() - toolbarHeight));
      },
      [&] {
        // The toolbar keeps to the bottom edge.
        ui::Extender& toolbar = com::must(toolbarExtender_);
        toolbar.Move(0, std::max(0.0, double(ScaleHeight() - toolbar.Height())), ScaleWidth());
      });
}

void FRV1XTestGuide::Form_QueryUnload(bool& cancel) {
  cancel = true;
  bool confirmed = false;
  rt::ignoreErrors([&] { host::TestGuideService::instance()->ConfirmAbort(confirmed); });
  if (confirmed) Q_EMIT AbortTest();
}

void FRV1XTestGuide::Form_Unload() {
  rt::ignoreErrorsEach([&] { com::must(pane_).Detach(this); }, [&] { com::must(pane_).Clear(); },
                       [&] { mTest_.reset(); }, [&] { mEmbeddedControl_.reset(); });
}

// --- filling the window --------------------------------------------------

void FRV1XTestGuide::InitGuide(const host::ITestElementPtr& test, const host::RunContextPtr& ctx,
                               const QVariant& steps) {
  if (!test) return;
  rt::onError(
      [&] {
        mTest_ = test;
        QString caption;
        host::TestGuideService::instance()->GetCaption(test, caption);
        SetCaption(caption);
        QVariant texts = steps;
        com::must(wizard_).SetSteps(texts);
        const host::IResultDataPtr result = test->Result();
        const rt::Long index = result ? result->MTIID() : 0;
        const CMtiData2Ptr shown = MMiscUtils::GetMtiData(com::must(ctx).MtiList(), index);
        com::must(identity_).SetMtiData(shown);
        // Without an identity of its own the analyzer is of the model the
        // host found on the port.
        if (!shown) identity_->SelectFoundModel(ctx->AnalyzerModel());
        identity_->Refresh();
        mResultView_ = CreateResultView(test);
        if (!mResultView_) return;
        mResultView_->ShowTestResult(test->Result());
        mResultView_->SetLimits(test->Limits());
      },
      [](const rt::RuntimeError&) {});
  // Tabs and toolbar come whatever happened before them: the operator must
  // always have the buttons to leave the window by.
  rt::ignoreErrors([&] { BuildTabs(test, ctx, mEmbeddedControl_, detailsExtender_); });
  rt::ignoreErrors([&] { SetupToolbar(test, ctx); });
}

IRV1XResultViewPtr FRV1XTestGuide::CreateResultView(const host::ITestElementPtr& test) {
  rt::ignoreErrors([&] {
    // The test element names the view of its kind.
    const QString progId = com::must(std::dynamic_pointer_cast<CTestFrame>(test)).kind().resultView;
    mEmbeddedControl_ = Controls().Add(progId, QStringLiteral("irvResult"));
    connect(mEmbeddedControl_.get(), &ui::Extender::ObjectEvent, this,
            [this](const QString& name, const QVariantList& parameters) {
              rt::ignoreErrors([&] { mEmbeddedControl_ObjectEvent(name, parameters); });
            });
  });
  if (!mEmbeddedControl_) return nullptr;
  IRV1XResultViewPtr view;
  rt::ignoreErrorsEach([&] { place(*mEmbeddedControl_, kResultPlace); },
                       [&] { mEmbeddedControl_->SetVisible(true); },
                       [&] { view = com::cast<IRV1XResultView>(mEmbeddedControl_->Object()); });
  return view;
}

void FRV1XTestGuide::BuildTabs(const host::ITestElementPtr& test, const host::RunContextPtr& ctx,
                               const com::ObjectPtr& resultPane,
                               const com::ObjectPtr& detailsPane) {
  host::ITgContentPane& pane = com::must(pane_);
  rt::ignoreErrorsEach(
      [&] { pane.Bind(test, ctx); }, [&] { pane.SetResultPane(resultPane); },
      [&] { pane.SetDetailsPane(detailsPane); },
      [&] {
        AddPaneTab(QStringLiteral("462::MTI Data"), identity_->BackColor(),
                   QStringLiteral("TAB_MTIDATA_1"), QStringLiteral("TAB_MTIDATA_2"),
                   identityExtender_);
      },
      [&] {
        // Only a discharge test has a discharge configuration.
        const auto discharge =
            std::dynamic_pointer_cast<CConfigDischarge>(com::must(test).Configuration());
        if (!discharge || !discharge->FetchWaveform()) return;
        waveformPanel_->SetBackColor(kWaveformBack);
        mWaveformTab_ = AddPaneTab(QStringLiteral("20333::Peak I [A]"), kWaveformBack,
                                   QStringLiteral("TAB_GRAPH_1"), QStringLiteral("TAB_GRAPH_2"),
                                   waveformExtender_);
      },
      [&] { pane.Attach(this); }, [&] { Form_Resize(); });
}

rt::Integer FRV1XTestGuide::AddPaneTab(const QString& caption, std::uint32_t backColor,
                                       const QString& picture, const QString& pictureAlt,
                                       const com::ObjectPtr& control) {
  auto tab = std::make_shared<host::PaneTab>();
  tab->SetMaskColor(kTabMaskColor);
  tab->SetBackColor(backColor);
  tab->SetPicture(ui::LoadResPicture(kLibrary, picture));
  tab->SetPictureAlt(ui::LoadResPicture(kLibrary, pictureAlt));
  tab->SetCaption(host::translated(caption));
  return rt::toInteger(static_cast<double>(com::must(pane_).AddTab(tab, control)));
}

void FRV1XTestGuide::SetupToolbar(const host::ITestElementPtr& test,
                                  const host::RunContextPtr& ctx) {
  rt::Long mask = kDefaultButtonMask;
  rt::ignoreErrors([&] {
    if (const host::TestGuideSettingsObjectPtr settings =
            GetTestGuideConfig(com::must(test).Configuration()))
      mask = settings->ButtonMask() | kRunButtonsBit;
  });
  rt::ignoreErrorsEach([&] { com::must(toolbar_).SetButtonMask(host::maskoperation::Set, mask); },
                       [&] { com::must(toolbar_).Bind(ctx, test); });
}

host::TestGuideSettingsObjectPtr FRV1XTestGuide::GetTestGuideConfig(
    const host::IConfigDataPtr& config) {
  // Every configuration of the seven tests carries its guide settings.
  if (const auto own = std::dynamic_pointer_cast<CConfigBase>(config))
    return own->TestGuideConfig();
  return nullptr;
}

// --- the procedures of a run ---------------------------------------------

void FRV1XTestGuide::SetRunState(rt::Long state, bool hasResult) {
  host::ITgToolbar* toolbar = toolbar_.get();
  if (!toolbar) return;
  if (state == runstate::Idle) {
    rt::ignoreErrorsEach(
        [&] {
          toolbar->SetMode(hasResult ? host::toolbarmode::IdleWithResult : host::toolbarmode::Idle);
        },
        [&] { toolbar->SetRunning(QVariant(), false, false); });
  } else if (state == runstate::Running) {
    rt::ignoreErrorsEach([&] { toolbar->SetMode(host::toolbarmode::Running); },
                         [&] { toolbar->SetRunning(QVariant(), true, true); });
  }
}

void FRV1XTestGuide::ShowResultStatus(const host::IResultDataPtr& result) {
  if (!result) return;
  rt::ignoreErrors([&] {
    host::ToolbarStatus& status = com::must(com::must(toolbar_).Status());
    status.SetResultStatus(rt::toInteger(static_cast<double>(result->Status())));
    // A result that was judged, or holds a value, and has no verdict says
    // why in words; a test not run yet is only "not tested".
    QString note;
    const auto own = std::dynamic_pointer_cast<CResultBase>(result);
    if (own && own->Status() == host::resultstatus::NotEvaluated &&
        (own->Evaluated() || own->HasMeasuredValue()))
      note = notJudgedText(own->NotJudgedKey());
    status.SetResultNote(note);
  });
}

void FRV1XTestGuide::ShowResult(const host::IResultDataPtr& result) {
  if (!result) return;
  rt::ignoreErrors([&] { com::must(mResultView_).ShowTestResult(result); });
}

void FRV1XTestGuide::MarkSteps(const QList<rt::Integer>& steps) {
  rt::ignoreErrors([&] {
    QVariantList numbers;
    for (rt::Integer step : steps) numbers.append(QVariant::fromValue(step));
    QVariant marks = numbers;
    com::must(wizard_).MarkSteps(marks);
  });
}

void FRV1XTestGuide::SetStatusText(const QString& text) {
  rt::ignoreErrors([&] {
    const qsizetype p = text.indexOf(QStringLiteral("::")) + 1;
    const QString shown = p >= 1 && p <= 6 ? host::translated(text) : text;
    com::must(com::must(toolbar_).Status()).SetText(shown);
  });
}

void FRV1XTestGuide::ShowInstruction(const QString& picture, const QString& text, bool flash) {
  const ui::Extender& view = com::must(mEmbeddedControl_);
  XTestInstruction& popup = com::must(popup_);
  com::must(popupExtender_).Move(view.Left(), view.Top(), view.Width(), view.Height());
  popup.ShowMsg(picture, text);
  popup.SetFlash(flash);
  popupExtender_->SetVisible(true);
  ui::ZOrder(&popup, ui::zorder::Front);
}

void FRV1XTestGuide::HideInstruction() {
  XTestInstruction& popup = com::must(popup_);
  popup.SetFlash(false);
  com::must(popupExtender_).SetVisible(false);
}

void FRV1XTestGuide::ShowDischargeWaveform(const IWaveformPtr& waveform) {
  if (!waveform) return;
  rt::ignoreErrorsEach([&] { com::must(waveformPanel_).ShowWaveform(waveform, false); },
                       [&] { com::must(pane_).ShowTab(mWaveformTab_); });
}

CMtiData2Ptr FRV1XTestGuide::GetGuideMtiData() {
  return rt::orDefault([&] { return com::must(identity_).GetMtiData(); }, CMtiData2Ptr());
}

void FRV1XTestGuide::SetButton103Enabled(bool enabled) {
  rt::ignoreErrors(
      [&] { com::must(com::must(toolbar_).Buttons(buttonid::Previous)).SetEnabled(enabled); });
}

bool FRV1XTestGuide::ShockViewGotResults() {
  return rt::orDefault([&] { return com::must(mResultView_).GotResults(); }, false);
}

void FRV1XTestGuide::ShockViewHighlightNext() {
  com::must(mResultView_).HighlightNext();
}

// --- what the controls tell ----------------------------------------------

void FRV1XTestGuide::xtbToolbar_ObjectEvent(const QString& name, const QVariantList& parameters) {
  if (name == host::toolbarevent::ButtonClick) {
    HandleToolbarButton(com::variantAs<host::ToolbarButton>(parameters.value(0)),
                        rt::orDefault([&] { return rt::toBoolean(parameters.value(1)); }, false));
  } else if (name == host::toolbarevent::LayoutChanged) {
    Form_Resize();
  } else if (name == host::toolbarevent::StandardChanged) {
    xtbToolbar_StandardChanged();
  }
}

void FRV1XTestGuide::HandleToolbarButton(const host::ToolbarButtonPtr& button, bool flag) {
  const rt::Long id = com::must(button).Id();
  switch (id) {
    case buttonid::Abort: {
      bool confirmed = false;
      rt::ignoreErrors([&] { host::TestGuideService::instance()->ConfirmAbort(confirmed); });
      if (confirmed) Q_EMIT AbortTest();
      return;
    }
    case buttonid::Skip:
      Q_EMIT Skip();
      return;
    case buttonid::Previous:
      rt::ignoreErrors([&] { com::must(identity_).RegSave(); });
      Q_EMIT Previous();
      return;
    case buttonid::Stop:
      Q_EMIT StopTest();
      return;
    case buttonid::Play: {
      const bool previousEnabled = rt::orDefault(
          [&] { return com::must(com::must(toolbar_).Buttons(buttonid::Previous)).Enabled(); },
          false);
      const bool playLatched = rt::orDefault(
          [&] { return com::must(com::must(toolbar_).Buttons(buttonid::Play)).State(); }, false);
      if (previousEnabled && flag) {
        rt::ignoreErrors([&] { com::must(identity_).RegSave(); });
        Q_EMIT Previous();
      } else if (playLatched && flag) {
        Q_EMIT StopTest();
      } else {
        rt::ignoreErrors([&] { com::must(mResultView_).Initialize(); });
        Q_EMIT StartTest();
      }
      return;
    }
    case buttonid::Next:
      Q_EMIT NextTest();
      return;
    case buttonid::NotApplicable:
      Q_EMIT NA();
      return;
    default:
      return;
  }
}

void FRV1XTestGuide::mEmbeddedControl_ObjectEvent(const QString& name,
                                                  const QVariantList& parameters) {
  const rt::Integer p =
      parameters.isEmpty()
          ? rt::Integer{0}
          : rt::orDefault([&] { return rt::toInteger(parameters.first()); }, rt::Integer{0});
  if (name == resultviewevent::ItemClicked) {
    Q_EMIT ItemClicked(p != 0);
  } else if (name == resultviewevent::MouseDown && p == controls::mousebutton::Right) {
    com::must(toolbar_).OnRightMouseDown();
  }
}

void FRV1XTestGuide::xtbToolbar_StandardChanged() {
  const host::StandardSelectionPtr selection = com::must(toolbar_).StandardSelection();
  rt::ignoreErrors([&] {
    com::must(mResultView_)
        .SelectStandard(selection->AlphaName(), selection->CompleteName(), selection->Flag());
  });
  Q_EMIT StandardChanged();
}

}  // namespace orvanRV1Xtst
