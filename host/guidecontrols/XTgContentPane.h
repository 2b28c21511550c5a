#pragma once
// The guide window's content pane ("orvanTGCL2.XTgContentPane"). It lies
// behind the guide's own controls and draws around them: the test's name
// at the top, a card behind the step list (details pane), a card in the
// selected tab's colour behind that tab's page, a card behind the result
// view (result pane), and the tab strip down its left edge. Only the
// selected tab's page is shown. Tab buttons are named "tab<index>".
//
// The pane keeps what it hosts inside itself: the result pane ends at the
// pane's bottom edge (above the toolbar), and a tab page starts right of
// the step list and ends at the pane's right edge; places are otherwise the
// guide's own. The test's name and kind show whole above the step list: a
// kind too long for one line takes two, and the step list then starts
// below them.

#include <QAbstractButton>
#include <QPointer>
#include <vector>

#include "guide/PaneTab.h"
#include "typelib/GuideControls.h"
#include "ui/UserControl.h"

namespace orvanTGCL2 {

class PaneTabButton;

class XTgContentPane final : public ui::UserControl, public host::ITgContentPane {
 public:
  XTgContentPane();
  ~XTgContentPane() override;

  void Bind(const host::ITestElementPtr& test, const host::RunContextPtr& ctx) override;
  com::ObjectPtr ResultPane() override { return resultPane_; }
  void SetResultPane(const com::ObjectPtr& pane) override;
  com::ObjectPtr DetailsPane() override { return detailsPane_; }
  void SetDetailsPane(const com::ObjectPtr& pane) override;
  rt::Long AddTab(const host::PaneTabPtr& tab, const com::ObjectPtr& control) override;
  void ShowTab(rt::Long index) override;
  rt::Long SelectedTab() override { return selected_; }
  rt::Long TabCount() override { return static_cast<rt::Long>(tabs_.size()); }
  void Attach(QWidget* form) override;
  void Detach(QWidget* form) override;
  void Clear() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Tab {
    host::PaneTabPtr tab;
    com::ObjectPtr control;
    PaneTabButton* button = nullptr;
  };

  void Follow(const com::ObjectPtr& pane);
  QRect PlaceOf(const com::ObjectPtr& pane) const;  // in the pane's coordinates
  void PlaceTabButtons();
  void Layout();
  // The lines of the test's kind at the width of the step list.
  QStringList SubtitleLines(int width) const;

  std::weak_ptr<host::ITestElement> test_;
  std::weak_ptr<host::RunContext> ctx_;
  QString title_;
  QString subtitle_;
  com::ObjectPtr resultPane_;
  com::ObjectPtr detailsPane_;
  std::vector<Tab> tabs_;
  rt::Long selected_ = -1;
  QPointer<QWidget> form_;
  bool laying_ = false;
};

}  // namespace orvanTGCL2
