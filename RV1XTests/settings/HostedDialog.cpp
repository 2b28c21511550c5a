#include "settings/HostedDialog.h"

#include "runtime/ErrorHandling.h"
#include "settings/FDialogWrapper.h"

namespace orvanRV1Xtst {

host::IDialogPtr hostedDialog(const QString& progId, const QVariant& data) {
  return rt::orDefault(
      [&]() -> host::IDialogPtr {
        auto form = std::make_shared<FDialogWrapper>();
        form->CreateSetupCtrl(progId);
        form->Initialize(data);
        return form;
      },
      host::IDialogPtr());
}

}  // namespace orvanRV1Xtst
