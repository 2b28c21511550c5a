#include "LinkMessages.h"

#include "LinkTexts.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "services/LanguageService.h"
#include "services/RegistryHelper.h"
#include "typelib/HostTypes.h"
#include "ui/MessageBoxes.h"

namespace orvanRV1Xvti {

int showMessage(const QString& textKey, int style, const QVariantList& parameters) {
  const QString text = host::translated(textKey, parameters);
  return showPlainMessage(text, style);
}

int showPlainMessage(const QString& text, int style) {
  return ui::MessageBoxes::instance().show(text, style, kLibrary);
}

rt::Long readCommTimeOut(rt::Long fallback, rt::Long maximum) {
  // A time-out of 0 or less would never tick, and a wait on it would never
  // end on a silent port: such a value counts as missing.
  const double value = rt::orDefault(
      [] {
        host::RegistryHelper helper;
        helper.OpenKey(host::HKEY_LOCAL_MACHINE, kRegistryKey);
        return rt::toDouble(helper.ReadValue(kCommTimeOutValue));
      },
      0.0);
  if (!(value >= 1 && value <= maximum)) return fallback;
  return static_cast<rt::Long>(rt::roundHalfEven(value));
}

}  // namespace orvanRV1Xvti
