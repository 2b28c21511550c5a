#pragma once
// Shared by the result-view tests: a window that adds a view by registered
// name as the guide window does, with the view's events as they reach the
// window, and clicks as real mouse events.

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QTest>
#include <QWidget>

#include "../results/ResultFixture.h"
#include "TestSupport.h"
#include "com/CreateObject.h"
#include "controls/Grid.h"
#include "orvanRV1Xtst/IRV1XResultView.h"
#include "ui/Controls.h"
#include "ui/Resources.h"
#include "ui/Twips.h"

namespace viewtests {

struct RaisedEvent {
  QString name;
  QVariantList parameters;
};

// The window that shows a result view: the guide's place for it, in twips.
class GuideWindow : public QWidget {
 public:
  GuideWindow() { resize(ui::toPixels(8910), ui::toPixels(5625)); }
  ui::Controls controls{this};
};

// A real click on a cell of a verdict grid (row 0 is the header).
inline void clickCell(controls::Grid& grid, int row, int column,
                      Qt::MouseButton button = Qt::LeftButton) {
  if (row == 0) {
    QHeaderView* header = grid.horizontalHeader();
    QTest::mouseClick(
        header->viewport(), button, {},
        QPoint(header->sectionViewportPosition(column - 1) + 5, header->height() / 2));
    return;
  }
  const QRect cell = grid.visualRect(grid.model()->index(row - 1, column - 1));
  QTest::mouseClick(grid.viewport(), button, {}, cell.center());
}

// The check pictures of two cells of a row: "x" checked, "-" empty, "?" none.
inline QString checks(const controls::Grid& grid, int row, int firstColumn) {
  static const QImage checked = ui::LoadResPicture("orvanRV1Xtst", "CHK:CHECK");
  static const QImage unchecked = ui::LoadResPicture("orvanRV1Xtst", "CHK:UNCHECK");
  QString marks;
  for (int column : {firstColumn, firstColumn + 1}) {
    const QImage cell = grid.CellPicture(row, column);
    marks += cell == checked ? u'x' : cell == unchecked ? u'-' : u'?';
  }
  return marks;
}

class ViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(testsupport::registerServer(testsupport::builtLibrary("orvanRV1Xtst")));
  }

  // Adds the view of that registered name as "irvResult" in the guide's
  // place and keeps what it raises.
  void hostView(const QString& progId) {
    extender = window.controls.Add(progId, QStringLiteral("irvResult"));
    extender->Move(330, 2310, 8550, 2895);
    view = com::cast<orvanRV1Xtst::IRV1XResultView>(extender->Object());
    QObject::connect(extender.get(), &ui::Extender::ObjectEvent,
                     [this](const QString& name, const QVariantList& parameters) {
                       events.push_back({name, parameters});
                     });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  }

  template <class Widget>
  Widget* child(const char* name) const {
    return extender->widget()->findChild<Widget*>(QLatin1String(name));
  }

  testsupport::TemporaryRegistry registry;
  testsupport::LocaleScope locale{testsupport::LocaleScope::english()};
  GuideWindow window;
  std::shared_ptr<ui::Extender> extender;
  orvanRV1Xtst::IRV1XResultViewPtr view;
  std::vector<RaisedEvent> events;
};

}  // namespace viewtests
