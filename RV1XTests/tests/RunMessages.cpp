#include "tests/RunMessages.h"

#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "ui/MessageBoxes.h"

namespace orvanRV1Xtst {

namespace {
const QString kLibrary = QStringLiteral("orvanRV1Xtst");
}

void showRunError(const rt::RuntimeError& error) {
  rt::ignoreErrors([&] {
    ui::MessageBoxes::instance().show(
        QStringLiteral("Error #%1\r\n%2").arg(error.Number()).arg(error.Description()),
        ui::mb::Exclamation, kLibrary);
  });
}

rt::Integer replyInteger(const QString& reply, int first, int length) {
  const QString field = reply.mid(first - 1, length);
  return rt::onError([&] { return rt::toInteger(QVariant(field)); },
                     [&](const rt::RuntimeError& error) -> rt::Integer {
                       if (error.Number() != rt::err::TypeMismatch) rt::passOn();
                       rt::raise(rt::err::TypeMismatch, kLibrary,
                                 QStringLiteral("The analyzer's reply \"%1\" holds no number in "
                                                "characters %2 to %3")
                                     .arg(reply.trimmed())
                                     .arg(first)
                                     .arg(first + length - 1));
                     });
}

}  // namespace orvanRV1Xtst
