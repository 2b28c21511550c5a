#pragma once
// The preferences page ("SelkamRV1X.XPluginPrefs"): the high/low-range
// threshold on the "General" tab and the communication time-out on the
// "Communications" tab, each a value label stepped by its up-down control
// (10..990 J by 10, 300..3000 ms by 100). The page edits the setup it is
// given in place and tells the host of each change ("Change").
//
// - Initialize binds the setup (data that holds no setup keeps the one bound
//   before) and shows its values as the registry holds them now, without
//   writing anything and without a "Change".
// - A step of an up-down writes its value into the label, the label's change
//   into the setup, and that one value into the registry; then "Change".
//   Without a bound setup a step changes nothing but the label.
// - Locked disables both up-downs; the tabs still switch pages.

#include <array>
#include <memory>

#include "controls/CustomControl.h"
#include "ui/Controls.h"

class QFrame;

namespace controls {
class Label;
class TabStrip;
class UpDown;
}  // namespace controls

namespace orvanRV1X {

class CRV1XSetup;

class XPluginPrefs final : public host::CustomControl {
 public:
  XPluginPrefs();
  ~XPluginPrefs() override;

  void Initialize(const QVariant& Data) override;
  void Refresh() override { update(); }
  void SetFocus() override;

  // The page shown, from 0.
  int CurrentPage() const { return currentPage_; }

 protected:
  void LockedChanged(bool locked) override { EnableControls(!locked); }

 private:
  // One number of the setup on its own page: its label, its up-down and
  // where the value goes.
  struct Setting {
    controls::Label* label = nullptr;
    controls::UpDown* upDown = nullptr;
    QString registryName;
    void (CRV1XSetup::*store)(rt::Long) = nullptr;
    rt::Long (CRV1XSetup::*value)() const = nullptr;
  };
  struct PageDesign;

  void AddPage(int index, const PageDesign& design);
  void AddHelpText(int page, const char* name, const char* textKey);
  void ShowValue(Setting& setting);
  void LabelChanged(Setting& setting);
  void TabClicked();
  void NotifyChange();
  void EnableControls(bool enabled);

  std::shared_ptr<CRV1XSetup> setup_;
  controls::TabStrip* tbsTabStrip_ = nullptr;
  std::array<QFrame*, 2> pboPictureBoxes_{};
  std::array<Setting, 2> settings_;  // the threshold, the time-out
  // The host's help panes, one collection per page; they go before the pages.
  std::array<std::unique_ptr<ui::Controls>, 2> hostControls_;
  int currentPage_ = 0;
  bool loading_ = true;
  bool initialising_ = false;
};

}  // namespace orvanRV1X
