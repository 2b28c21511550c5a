#pragma once
// Text boxes of the editors select their whole text when they get the
// focus, so that typing replaces the value.

class QLineEdit;

namespace orvanRV1Xtst::MMiscUtils {

// Selects from the start for the length of the text; Nothing raises 91.
void SelectAllText(QLineEdit* textBox);

}  // namespace orvanRV1Xtst::MMiscUtils
