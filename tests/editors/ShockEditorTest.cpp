// The shock-advisory step editor: the step list edited in place, its
// toolbar and its in-place drop-down.

#include <QHeaderView>

#include "EditorFixture.h"
#include "controls/ListBox.h"
#include "controls/ListView.h"
#include "controls/Toolbar.h"
#include "settings/CConfigShock.h"

namespace {

using orvanRV1Xtst::CConfigShock;

class ShockEditor : public editortest::EditorTest {
 protected:
  void open() {
    config_ = std::make_shared<CConfigShock>();
    config_->AddNew()->SetWaveFormIndex(1);
    config_->AddNew()->SetDuration(60);
    EditorTest::open(config_, 7215, 2835);
  }
  controls::ListView* list() const { return child<controls::ListView>("lvwConfig"); }
  std::shared_ptr<CConfigShock> config_;
};

TEST_F(ShockEditor, Screenshot) {
  open();
  screenshot(QStringLiteral("shock"));
  controls::ListView& rows = *list();
  const QRect cell = rows.visualItemRect(rows.topLevelItem(1));
  const int x = rows.header()->sectionViewportPosition(1) + 10;
  click(rows.viewport(), QPoint(x, cell.center().y()));
  screenshot(QStringLiteral("shock-dropdown"));
}

}  // namespace
