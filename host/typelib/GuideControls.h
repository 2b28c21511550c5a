#pragma once
// The host's guide controls, as the host's control libraries publish them:
// the toolbar "orvanTGCL2.XTgToolbar" with its buttons, status line and
// standard selection, the tabbed content pane "orvanTGCL2.XTgContentPane"
// with its tabs (PaneTab), and the step list "orvanView.XTestWizard". A
// guide window creates them by registered name and reaches them through
// these interfaces; their events come as the hosting extender's ObjectEvent.

#include <QVariant>

#include "typelib/HostTypes.h"

namespace host {

class PaneTab;
using PaneTabPtr = std::shared_ptr<PaneTab>;

inline const QString kToolbarProgId = QStringLiteral("orvanTGCL2.XTgToolbar");
inline const QString kContentPaneProgId = QStringLiteral("orvanTGCL2.XTgContentPane");
inline const QString kTestWizardProgId = QStringLiteral("orvanView.XTestWizard");

// The toolbar's buttons by id. Each is a tool button whose widget's object
// name is "button<id>" ("button202"), so that a scripted operator clicks it
// as a person does.
namespace guidebuttons {
constexpr rt::Long Abort = 101;
constexpr rt::Long Skip = 102;
constexpr rt::Long Previous = 103;
constexpr rt::Long Stop = 201;
constexpr rt::Long Play = 202;
constexpr rt::Long Next = 301;
constexpr rt::Long NotApplicable = 302;
}  // namespace guidebuttons

// The toolbar's events, by the names its extender passes them on.
namespace toolbarevent {
inline const QString ButtonClick = QStringLiteral("ButtonClick");  // button, flag
inline const QString LayoutChanged = QStringLiteral("LayoutChanged");
inline const QString StandardChanged = QStringLiteral("StandardChanged");
}  // namespace toolbarevent

// SetMode's modes.
namespace toolbarmode {
constexpr rt::Long Idle = 0;            // idle, no result yet
constexpr rt::Long Running = 1;         // a run is in progress
constexpr rt::Long IdleWithResult = 2;  // idle, the test has a result
}  // namespace toolbarmode

// SetButtonMask's first argument: how the mask is applied. The mask's bits
// are those of the guide settings (TestGuideSettingsObject.h): 1 Skip,
// 2 N/A, 4 the run buttons Play and Stop, 8 Previous; Abort and Next are
// always there.
namespace maskoperation {
constexpr rt::Long Add = 1;
constexpr rt::Long Remove = 2;
constexpr rt::Long Set = 3;
}  // namespace maskoperation

class ToolbarButton : public virtual com::Object {
 public:
  ~ToolbarButton() override;
  // Latched down: Play while a run is in progress.
  virtual bool State() = 0;
  virtual bool Enabled() = 0;
  // The guide's own say; a mode that locks the button still wins.
  virtual void SetEnabled(bool enabled) = 0;
  virtual rt::Long Id() = 0;
};
using ToolbarButtonPtr = std::shared_ptr<ToolbarButton>;

class ToolbarStatus : public virtual com::Object {
 public:
  ~ToolbarStatus() override;
  // 0 none, 1 passed, 2 failed, 3 skipped or not applicable.
  virtual rt::Integer ResultStatus() = 0;
  virtual void SetResultStatus(rt::Integer status) = 0;
  virtual QString Text() = 0;
  virtual void SetText(const QString& text) = 0;
  // Why the result shown has no verdict, in words ("Not judged: no limit is
  // enabled"); empty when it has one, or nothing was judged. While a result
  // of status 0 has a note, the indicator reads "Not judged" and the status
  // line shows the note when it has no text of its own.
  virtual QString ResultNote() = 0;
  virtual void SetResultNote(const QString& note) = 0;
};
using ToolbarStatusPtr = std::shared_ptr<ToolbarStatus>;

// The standard chosen on the toolbar; Flag is True when it is one of the
// standards selected for the run (its limits are evaluated).
class StandardSelection : public virtual com::Object {
 public:
  ~StandardSelection() override;
  virtual QString AlphaName() = 0;
  virtual QString CompleteName() = 0;
  virtual bool Flag() = 0;
};
using StandardSelectionPtr = std::shared_ptr<StandardSelection>;

// Events: "ButtonClick" (the ToolbarButton as an object variant, flag: the
// button's State when it was pressed), "LayoutChanged" (the toolbar's
// height or button set changed), "StandardChanged" (another standard was
// chosen; also raised by Bind when the test has a standard).
class ITgToolbar : public virtual com::Object {
 public:
  ~ITgToolbar() override;
  // Shows the test's standards; keeps both as weak references.
  virtual void Bind(const RunContextPtr& ctx, const ITestElementPtr& test) = 0;
  // Applies the mask by the operation and answers the mask now in force.
  virtual void SetButtonMask(rt::Long operation, rt::Long& mask) = 0;
  virtual rt::Long ButtonMask() = 0;
  virtual void SetMode(rt::Long mode) = 0;
  virtual rt::Long Mode() = 0;
  // running latches Play down and enables Stop; locked disables the
  // navigation buttons (Next, Previous, Skip, N/A). The first argument is
  // reserved and left out.
  virtual void SetRunning(const QVariant& reserved, bool running, bool locked) = 0;
  // A run is in progress as far as the toolbar knows (mode or SetRunning).
  virtual bool Running() = 0;
  // Offers the standards at the mouse pointer.
  virtual void OnRightMouseDown() = 0;
  virtual ToolbarStatusPtr Status() = 0;
  virtual StandardSelectionPtr StandardSelection() = 0;
  // Error 9 for an id the toolbar has no button for.
  virtual ToolbarButtonPtr Buttons(rt::Long id) = 0;
  // The test of the last Bind, while it lives.
  virtual ITestElementPtr BoundTest() = 0;
};
using ITgToolbarPtr = std::shared_ptr<ITgToolbar>;

// The pane fills the guide window above the toolbar. The guide places the
// result view, the step list and the tab pages itself; the pane draws the
// frame around them, the test's name, and the tab strip on its left edge,
// and shows the page of the selected tab only. The tab buttons are widgets
// named "tab<index>" ("tab0").
class ITgContentPane : public virtual com::Object {
 public:
  ~ITgContentPane() override;
  virtual void Bind(const ITestElementPtr& test, const RunContextPtr& ctx) = 0;
  // A control object, or the extender that hosts one.
  virtual com::ObjectPtr ResultPane() = 0;
  virtual void SetResultPane(const com::ObjectPtr& pane) = 0;
  virtual com::ObjectPtr DetailsPane() = 0;
  virtual void SetDetailsPane(const com::ObjectPtr& pane) = 0;
  // Adds a tab whose page is the control (object or extender) and answers
  // its index, from 0; the first tab added is selected.
  virtual rt::Long AddTab(const PaneTabPtr& tab, const com::ObjectPtr& control) = 0;
  // Error 9 for an index without a tab.
  virtual void ShowTab(rt::Long index) = 0;
  virtual rt::Long SelectedTab() = 0;  // -1 without tabs
  virtual rt::Long TabCount() = 0;
  // The window the pane lies in: the pane goes behind its siblings there
  // and follows the places of the panes and pages.
  virtual void Attach(QWidget* form) = 0;
  virtual void Detach(QWidget* form) = 0;
  // Lets go of tabs, panes, test and context.
  virtual void Clear() = 0;
};
using ITgContentPanePtr = std::shared_ptr<ITgContentPane>;

// How the step list shows a step.
enum class StepLook {
  LeftOut,  // a step without text: no line, no marker
  Plain,    // no step marked: a step to follow like every other
  Current,  // singled out by a mark: to follow now
  Greyed,   // not marked while other steps are
};

// The numbered instruction steps. Marked steps are the ones to follow now,
// exactly those the test marked (every one, when it marks every one); the
// others are shown greyed. A mark on none of the steps shows each plainly,
// unmarked but not greyed (a test that marks nothing before its run shows
// its steps as a list to follow). A step without text is left out.
class ITestWizard : public virtual com::Object {
 public:
  ~ITestWizard() override;
  // A list of texts (or one text); anything else clears the list.
  virtual void SetSteps(QVariant& texts) = 0;
  // A list of 1-based step numbers (or one number); numbers without a step
  // are ignored, an empty list marks none.
  virtual void MarkSteps(QVariant& numbers) = 0;
  virtual QStringList Steps() = 0;
  virtual QList<rt::Integer> MarkedSteps() = 0;
  virtual StepLook Look(rt::Integer number) = 0;
};
using ITestWizardPtr = std::shared_ptr<ITestWizard>;

}  // namespace host
