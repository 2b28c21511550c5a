#pragma once
// The guide window: the modal window in which the operator runs one test.
// A test element makes one for each Perform, fills it through the
// procedures below, shows it modally and hears every choice of the
// operator as one of the window's events; the window itself decides
// nothing about the test.
//
// It hosts the host's toolbar, content pane and step list, the analyzer
// identity editor (first tab), the discharge waveform panel (the waveform
// tab of a discharge test that fetches its curve), the result view of the
// test kind and the instruction pop-up. Controls, by name, at their
// designed places (twips; the client area is 8910 x 5625):
//   xtwWizard            content pane      0, 0, 8895, 5175 (fills the window above the toolbar)
//   xtbToolbar           toolbar           0, 4980, 8910, 645 (the bottom edge)
//   xtwDetails           step list         1200, 480, 2775, 2055
//   xmdMtiData           identity editor   3720, 120, 4935, 2295
//   xpdPerformDischarge  waveform panel    4560, 120, 4095, 1935
//   xtiPopup             pop-up            over the result view when shown
//   irvResult            the result view   330, 2310, 8550, 2895 (the one the test names)
//
// The events are raised synchronously: the test element's handler has run
// when the raising call returns. A run happens inside the StartTest
// handler, so the toolbar's events arrive nested inside it.
//
// The window always has a way out: closing it is Abort after the host's
// confirmation, and the toolbar is set up even when the result view could
// not be made.

#include <QList>
#include <QVariant>

#include "orvanRV1Xtst/IRV1XResultView.h"
#include "orvanRV1Xtst/IWaveform.h"
#include "settings/CMtiData2.h"
#include "typelib/GuideControls.h"
#include "ui/Form.h"

namespace orvanRV1Xtst {

class XMTIData;
class XPerformDischarge;
class XTestInstruction;

// SetRunState's states.
namespace runstate {
constexpr rt::Long Idle = 1;
constexpr rt::Long Running = 2;
}  // namespace runstate

class FRV1XTestGuide final : public ui::Form {
  Q_OBJECT
 public:
  FRV1XTestGuide();
  ~FRV1XTestGuide() override;

  // The procedures the test elements call.

  // Caption, steps, analyzer identity of the test's result, result view,
  // tabs and toolbar. Never raises; nothing for no test.
  void InitGuide(const host::ITestElementPtr& test, const host::RunContextPtr& ctx,
                 const QVariant& steps);
  // Idle (1, the toolbar's mode by hasResult) or running (2); any other
  // state changes nothing.
  void SetRunState(rt::Long state, bool hasResult);
  // The toolbar's result indicator; Nothing changes nothing.
  void ShowResultStatus(const host::IResultDataPtr& result);
  // The result view shows the result; Nothing changes nothing.
  void ShowResult(const host::IResultDataPtr& result);
  // The steps to follow now (1-based); the others are shown greyed.
  void MarkSteps(const QList<rt::Integer>& steps);
  // A text key (its "::" among the first six characters) is translated;
  // any other text is shown as it is, and "" clears the status line.
  void SetStatusText(const QString& text);
  // The pop-up over the result view with the bitmap and the translated
  // text; raises (326 for a bitmap the library lacks, 91 without result
  // view).
  void ShowInstruction(const QString& picture, const QString& text, bool flash);
  void HideInstruction();
  // The curve in the waveform panel and its tab in front; Nothing changes
  // nothing.
  void ShowDischargeWaveform(const IWaveformPtr& waveform);
  // The identity the operator left in the editor; Nothing when that fails.
  CMtiData2Ptr GetGuideMtiData();
  void SetButton103Enabled(bool enabled);
  // The answers and highlight of a view whose steps are played in turn
  // (the shock-advisory view); the other views have neither.
  bool ShockViewGotResults();
  void ShockViewHighlightNext();

  // The parts, for the test elements' own calls and for tests.
  host::ITgToolbarPtr xtbToolbar() const { return toolbar_; }
  host::ITgContentPanePtr xtwWizard() const { return pane_; }
  host::ITestWizardPtr xtwDetails() const { return wizard_; }
  std::shared_ptr<XMTIData> xmdMtiData() const { return identity_; }
  std::shared_ptr<XPerformDischarge> xpdPerformDischarge() const { return waveformPanel_; }
  std::shared_ptr<XTestInstruction> xtiPopup() const { return popup_; }
  IRV1XResultViewPtr ResultView() const { return mResultView_; }
  std::shared_ptr<ui::Extender> ResultViewExtender() const { return mEmbeddedControl_; }
  rt::Integer WaveformTab() const { return mWaveformTab_; }

 Q_SIGNALS:
  void StartTest();
  void StopTest();
  void AbortTest();
  void NextTest();
  void Previous();
  void Skip();
  void NA();
  void ItemClicked(bool fCurrentItem);
  // The operator, or the toolbar's binding, chose the standard the test is
  // judged by (the run context holds it).
  void StandardChanged();

 protected:
  // Makes the designed controls (their failure reaches the loader), then
  // the icon and the translated captions.
  void Form_Load() override;
  void Form_Activate() override;
  void Form_Resize() override;
  // Closing the window is Abort, after the host's confirmation.
  void Form_QueryUnload(bool& cancel) override;
  void Form_Unload() override;

 private:
  void CreateDesignedControls();
  IRV1XResultViewPtr CreateResultView(const host::ITestElementPtr& test);
  void BuildTabs(const host::ITestElementPtr& test, const host::RunContextPtr& ctx,
                 const com::ObjectPtr& resultPane, const com::ObjectPtr& detailsPane);
  rt::Integer AddPaneTab(const QString& caption, std::uint32_t backColor, const QString& picture,
                         const QString& pictureAlt, const com::ObjectPtr& control);
  void SetupToolbar(const host::ITestElementPtr& test, const host::RunContextPtr& ctx);
  static host::TestGuideSettingsObjectPtr GetTestGuideConfig(const host::IConfigDataPtr& config);
  void HandleToolbarButton(const host::ToolbarButtonPtr& button, bool flag);

  void mEmbeddedControl_ObjectEvent(const QString& name, const QVariantList& parameters);
  void xtbToolbar_ObjectEvent(const QString& name, const QVariantList& parameters);
  void xtbToolbar_StandardChanged();

  host::ITestElementPtr mTest_;
  IRV1XResultViewPtr mResultView_;
  rt::Integer mWaveformTab_ = 0;
  std::shared_ptr<ui::Extender> mEmbeddedControl_;

  host::ITgContentPanePtr pane_;
  host::ITgToolbarPtr toolbar_;
  host::ITestWizardPtr wizard_;
  std::shared_ptr<XMTIData> identity_;
  std::shared_ptr<XPerformDischarge> waveformPanel_;
  std::shared_ptr<XTestInstruction> popup_;
  std::shared_ptr<ui::Extender> paneExtender_;
  std::shared_ptr<ui::Extender> toolbarExtender_;
  std::shared_ptr<ui::Extender> detailsExtender_;
  std::shared_ptr<ui::Extender> identityExtender_;
  std::shared_ptr<ui::Extender> waveformExtender_;
  std::shared_ptr<ui::Extender> popupExtender_;
};

using FRV1XTestGuidePtr = std::shared_ptr<FRV1XTestGuide>;

}  // namespace orvanRV1Xtst
