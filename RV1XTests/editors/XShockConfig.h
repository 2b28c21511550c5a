#pragma once
// The editor of the shock-advisory test ("RV1XTests.XShockConfig"): the
// steps the analyzer plays in order, one row each in a report list (ECG
// wave, duration, expected advice). A click on a cell opens an in-place
// drop-down over it: the field (orvanView.XDropDown) shows the cell and the
// choice list below it offers the column's values; Enter, Space or a click
// in the list takes the entry, Escape or a click elsewhere closes it. The
// toolbar adds a step, moves the selected one up or down (the order is the
// order the test plays them) and deletes it.
//
// Every change of the steps reports "Change"; a choice of the value a cell
// already has changes nothing. A locked editor offers neither the list nor
// the toolbar.
//
// Controls, by name: fraTestGuideSettings (lblTestGuideSettings,
// xtgTestGuideConfig), fraTestSetup (lblConfig, tbrShock with the buttons
// pluss, up, down, del, lvwConfig), pboDropDown (xddDropDown), lstDropDown,
// xhtHelpText.

#include "editors/XConfigEditor.h"
#include "settings/CConfigShock.h"

class QFrame;
class QGroupBox;
class QLabel;

namespace controls {
class ListBox;
class ListView;
class Toolbar;
}  // namespace controls

namespace orvanRV1Xtst {

class XShockConfig final : public XConfigEditor {
 public:
  XShockConfig();
  ~XShockConfig() override;

  void Initialize(const QVariant& Data) override;
  void SetFocus() override;

 private:
  // The parts the control is made of, in the order they are built.
  void BuildGuideSettingsFrame();
  void BuildSetupFrame();
  void BuildDropDown();
  // The events of the toolbar and the list, and of the drop-down.
  void ConnectStepList();
  void ConnectDropDown();
  // An event of the drop-down's field: commit, drop button, key, focus.
  void DropDownFieldEvent(const QString& name, const QVariantList& parameters);
  void LockedChanged(bool locked) override;
  void EnableInputs() override;
  void SetupColumns();
  void AddAdviceRow(const CShockAdviceSettingPtr& step);
  void HandleToolbarKey(const QString& key);
  // Moves the selected step one place up (-1) or down (+1).
  void MoveSelectedStep(int by);
  void ShowSteps();
  QString ColumnKeyAt(double x) const;
  void ShowDropDown(double x);
  void FillChoiceList(const QString& columnKey);
  void HideDropDown();
  void CommitDropDown();
  void ChoiceHandler();
  void DropDownKeyDown(rt::Integer keyCode);
  bool DropDownHasFocus() const;
  void Layout() override;

  std::shared_ptr<CConfigShock> config_;
  QGroupBox* fraTestGuideSettings_ = nullptr;
  QGroupBox* fraTestSetup_ = nullptr;
  QLabel* lblTestGuideSettings_ = nullptr;
  QLabel* lblConfig_ = nullptr;
  controls::Toolbar* tbrShock_ = nullptr;
  controls::ListView* lvwConfig_ = nullptr;
  QFrame* pboDropDown_ = nullptr;
  std::shared_ptr<ui::Extender> xddDropDown_;
  host::IDropDownPtr dropDown_;
  controls::ListBox* lstDropDown_ = nullptr;

  double lastX_ = 0;
  double lastY_ = 0;
  bool itemClicked_ = false;
  QString dropDownColumn_;
  rt::Integer lastKey_ = 0;
};

}  // namespace orvanRV1Xtst
