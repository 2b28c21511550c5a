#pragma once
// The discharge waveform control ("RV1XTests.XPerformDischarge"): the
// discharge current against time on the graph control, under the title.
//
// - As the discharge result's dialog (Initialize with the result), it also
//   shows the print check box, which decides whether the curve is printed
//   with the result, and the operator's comment.
// - As the discharge test's panel in the guide window (ShowWaveform with
//   False), only the title and the graph.
//
// A right click on the graph opens the wave settings: plotting style, grid
// lines and a full-screen view. Only ticking the print box is a change for
// the host: showing a waveform is none.
//
// Controls, by name: pegGraph, lblTitle, chkPrintOnReport, lblComment,
// txtComment and the popup menu mnuStdList.

#include <array>

#include "controls/CustomControl.h"
#include "orvanRV1Xtst/IWaveform.h"

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QPlainTextEdit;

namespace graph {
class GraphControl;
}

namespace orvanRV1Xtst {

class XPerformDischarge final : public host::CustomControl {
 public:
  // The menu arrays; item 0 of each is hidden.
  enum class MenuArray { Standard, Grid, Screen };

  XPerformDischarge();
  ~XPerformDischarge() override;

  // Shows the waveform's valid samples with a time label per point, and
  // ticks the print box by its IncludeInReport; f is the dialog mode.
  // Nothing keeps the graph as it was.
  void ShowWaveform(const IWaveformPtr& iwf, bool f);
  // Clears the curve.
  void ResetWaveForm();
  // The graph in a window of its own.
  void FullScreenWave();

  // Data: the discharge result; anything else is ignored.
  void Initialize(const QVariant& Data) override;
  void Refresh() override { update(); }
  void SetFocus() override {}

  // The parts, for the host's hands and for tests.
  graph::GraphControl* Graph() const { return pegGraph_; }
  QMenu* PopupMenu() const { return mnuStdList_; }
  QAction* MenuItem(MenuArray array, int index) const;
  IWaveformPtr ShownWaveform() const { return waveform_; }
  bool DialogMode() const { return dialogMode_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildMenu();
  void SetupGraph();
  void SetupAxisLabels();
  void Layout();
  void chkPrintOnReport_Click();
  void pegGraph_RightMouseDown(const QPoint& at);
  void MenuItem_Click(MenuArray array, int index);

  IWaveformPtr waveform_;
  bool dialogMode_ = false;
  bool hasWaveform_ = false;
  bool hasComment_ = false;
  std::array<int, 3> lastChosen_{};

  graph::GraphControl* pegGraph_ = nullptr;
  QLabel* lblTitle_ = nullptr;
  QCheckBox* chkPrintOnReport_ = nullptr;
  QLabel* lblComment_ = nullptr;
  QPlainTextEdit* txtComment_ = nullptr;
  QMenu* mnuStdList_ = nullptr;
  QAction* mnuCaption_ = nullptr;
  std::array<QAction*, 4> mnuStandard_{};
  std::array<QAction*, 5> mnuGrid_{};
  std::array<QAction*, 2> mnuScreen_{};
};

using XPerformDischargePtr = std::shared_ptr<XPerformDischarge>;

}  // namespace orvanRV1Xtst
