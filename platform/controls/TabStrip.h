#pragma once
// A tab strip: a row of tabs, one of them selected, counted from 1. Click
// follows every selection the operator makes, with the mouse (also on the
// tab already selected), the mouse wheel or the keys; selecting in code
// raises none.
// The pages are the owner's: it shows the one that belongs to the tab.

#include <QTabBar>

namespace controls {

class TabStrip : public QTabBar {
  Q_OBJECT
 public:
  explicit TabStrip(QWidget* parent = nullptr);
  ~TabStrip() override;

  // 1-based; 0 when there is no tab.
  int SelectedIndex() const { return currentIndex() + 1; }
  void SetSelectedIndex(int index);

 Q_SIGNALS:
  void Click();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  // Runs the operator's event; Click when it moved the selection.
  template <class Event>
  void ClickIfMoved(Event&& event);
};

}  // namespace controls
