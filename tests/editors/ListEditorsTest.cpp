// The editors whose settings are entries of fixed lists: refractory period,
// sensitivity and pacer accuracy.

#include <QListWidget>

#include "EditorFixture.h"
#include "controls/SimpleComboBox.h"
#include "settings/CConfigAccuracy.h"
#include "settings/CConfigRefractory.h"
#include "settings/CConfigSensitivity.h"

namespace {

using namespace orvanRV1Xtst;

class ListEditors : public editortest::EditorTest {
 protected:
  controls::SimpleComboBox* box(const char* name) const {
    return child<controls::SimpleComboBox>(name);
  }
};

TEST_F(ListEditors, Screenshots) {
  open(std::make_shared<CConfigRefractory>(), 5010, 2520);
  screenshot(QStringLiteral("refractory"));
  dialog_->Unload();
  open(std::make_shared<CConfigSensitivity>(), 5010, 2520);
  screenshot(QStringLiteral("sensitivity"));
  dialog_->Unload();
  open(std::make_shared<CConfigAccuracy>(), 8055, 2520);
  screenshot(QStringLiteral("accuracy"));
}

}  // namespace
