#include "settings/TextSelection.h"

#include <QLineEdit>

#include "com/Object.h"

namespace orvanRV1Xtst::MMiscUtils {

void SelectAllText(QLineEdit* textBox) {
  QLineEdit& box = com::must(textBox);
  box.setSelection(0, static_cast<int>(box.text().size()));
}

}  // namespace orvanRV1Xtst::MMiscUtils
