// The key functions of the host's interfaces: one definition here gives each
// interface a single type identity in every library that uses it.

#include "typelib/IConfigData.h"
#include "typelib/ICustomControl.h"
#include "typelib/IDialog.h"
#include "typelib/IEditorControls.h"
#include "typelib/ILimitData.h"
#include "typelib/ILimitView.h"
#include "typelib/IMeasurement.h"
#include "typelib/IPlugIn.h"
#include "typelib/IResultData.h"
#include "typelib/ISetup.h"
#include "typelib/ITestElement.h"
#include "typelib/OrvanQel.h"

namespace host {

ITestElementList::~ITestElementList() = default;
IPlugIn::~IPlugIn() = default;
ISetup::~ISetup() = default;
ITestElement::~ITestElement() = default;
IConfigData::~IConfigData() = default;
ILimitData::~ILimitData() = default;
ILimitView::~ILimitView() = default;
IResultData::~IResultData() = default;
IVerdict::~IVerdict() = default;
IMeasurement::~IMeasurement() = default;
IMeasurement2::~IMeasurement2() = default;
ICustomControl::~ICustomControl() = default;
IDialog::~IDialog() = default;
IOrvanQelQuery::~IOrvanQelQuery() = default;
ITestGuideSettings::~ITestGuideSettings() = default;
IHelpText::~IHelpText() = default;
IDropDown::~IDropDown() = default;

}  // namespace host
