#pragma once
// The dialog that configurations and results hand the host: a dialog host
// form around the control of a registered name, given the edited or shown
// object as its data. Without that control installed the form still comes
// back, hosting nothing: the host's dialog then shows nothing and every
// call on it is harmless. Nothing on any other failure; nothing is reported.

#include <QString>
#include <QVariant>

#include "typelib/IDialog.h"

namespace orvanRV1Xtst {

host::IDialogPtr hostedDialog(const QString& progId, const QVariant& data);

}  // namespace orvanRV1Xtst
