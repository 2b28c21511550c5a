#include "SettingsEditing.h"

#include "WorkbenchWords.h"
#include "dialogs/HostDialogWindow.h"
#include "elements/TestName.h"
#include "runtime/ErrorHandling.h"
#include "typelib/IConfigData.h"
#include "typelib/ITestElement.h"
#include "xml/XmlDocument.h"

namespace workbench {

SettingsEdit editSettings(host::ITestElement& test, QWidget* parent) {
  const host::IConfigDataPtr settings = test.Configuration();
  const host::IDialogPtr dialog =
      settings && settings->HasDialog() ? settings->CreateDialog() : nullptr;
  if (!dialog) return SettingsEdit::NoEditor;
  const host::XmlElementPtr before = settings->Save(std::make_shared<host::XmlDocument>());

  host::HostDialogWindow window(dialog,
                                words::text(words::SettingsTitle, {host::shownTestName(test)}),
                                host::HostDialogWindow::Buttons::OkCancel);
  window.setParent(parent, window.windowFlags());
  const bool accepted = window.exec() == QDialog::Accepted;
  if (accepted && window.Changed()) return SettingsEdit::Changed;
  if (before) settings->Load(before, nullptr);
  return SettingsEdit::Unchanged;
}

}  // namespace workbench
