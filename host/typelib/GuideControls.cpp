// The key functions of the guide controls' interfaces.

#include "typelib/GuideControls.h"

namespace host {

ToolbarButton::~ToolbarButton() = default;
ToolbarStatus::~ToolbarStatus() = default;
StandardSelection::~StandardSelection() = default;
ITgToolbar::~ITgToolbar() = default;
ITgContentPane::~ITgContentPane() = default;
ITestWizard::~ITestWizard() = default;

}  // namespace host
