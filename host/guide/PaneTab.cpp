#include "guide/PaneTab.h"

namespace host {

PaneTab::~PaneTab() = default;

}  // namespace host
