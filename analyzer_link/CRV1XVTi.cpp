#include "orvanRV1Xvti/CRV1XVTi.h"

#include "FTestVTI.h"
#include "LinkMessages.h"
#include "LinkTexts.h"
#include "MComm.h"
#include "com/ServerModule.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "services/ErrorService.h"
#include "services/HostServices.h"
#include "ui/MessageBoxes.h"
#include "ui/MessageLoop.h"

namespace orvanRV1Xvti {

namespace {

constexpr rt::Integer kFirstScannedPort = 1;
constexpr rt::Integer kLastScannedPort = 16;
const QString kPortAssigningHost = QStringLiteral("2.1.2");
const QString kWaveformCommand = QStringLiteral("P");
constexpr rt::Long kMkIIBlockBytes = 2000;
constexpr rt::Long kAnnouncedLength = -1;

using host::errors;

[[noreturn]] void raiseLinkError() {
  errors().RaiseError(host::kProduct, eeVTI_Error, kConnectionSource, 1);
  rt::raise(eeVTI_Error, kConnectionSource);
}

bool isText(const QVariant& value, const QString& text) {
  return value.typeId() == QMetaType::QString && value.toString() == text;
}

}  // namespace

CRV1XVTi::CRV1XVTi() = default;
CRV1XVTi::~CRV1XVTi() = default;

bool CRV1XVTi::IsMkIII() {
  return mkiii_;
}

EVtiState CRV1XVTi::State() {
  return state_;
}

void CRV1XVTi::Abort() {
  MComm::Abort();
  abort_ = true;
}

QVariant CRV1XVTi::SendCommand(const QString& sCommand, bool fIgnoreErrors) {
  return rt::onError(
      [&]() -> QVariant {
        state_ = evtiTransmitting;
        abort_ = false;
        MComm::TransmitCommand(sCommand);
        QVariant result;
        if (!abort_) {
          if (sCommand != kWaveformCommand) {
            QString reply;
            MComm::ReceiveReply(reply);
            result = reply;
          } else {
            result = MComm::ReadBinaryBlock(mkiii_ ? kAnnouncedLength : kMkIIBlockBytes);
          }
          if (!abort_ && !fIgnoreErrors) {
            const bool rejected = !probing_ && isText(result, QStringLiteral("?"));
            const bool missing = sCommand != kWaveformCommand && result.toString().isEmpty();
            if (rejected || missing) {
              showMessage(text::NoAnalyzerFound, ui::mb::Exclamation);
              rt::raise(eeVTI_Error, kConnectionSource);
            }
          }
        }
        state_ = evtiIdle;
        return result;
      },
      [&](const rt::RuntimeError& error) -> QVariant {
        if (error.Number() != eeVTI_Error && !fIgnoreErrors)
          showPlainMessage(
              QStringLiteral("Error #%1\r\n%2").arg(error.Number()).arg(error.Description()),
              ui::mb::Exclamation);
        raiseLinkError();
      });
}

QString CRV1XVTi::GetResults() {
  return rt::orDefault(
      [] {
        QString reply;
        MComm::ReceiveReply(reply);
        return reply;
      },
      QString());
}

void CRV1XVTi::OpenChannel() {
  rt::onError(
      [&] {
        state_ = evtiConnecting;
        abort_ = false;
        MComm::InitComm();
        if (IsHostVersionAtLeast(kPortAssigningHost)) {
          auto assignment = com::must(host::PortAssignmentService::instance()).Assignment();
          const rt::Long port = com::must(assignment).Port(host::kProduct, QString());
          if (port < 1)
            abort_ = true;
          else if (ProbePort(rt::toInteger(static_cast<double>(port))) ==
                   MComm::probe::InRemoteMode)
            state_ = evtiIdle;
        } else {
          for (rt::Integer port = kFirstScannedPort; port <= kLastScannedPort; ++port) {
            if (ProbePort(port) == MComm::probe::InRemoteMode) {
              state_ = evtiIdle;
              break;
            }
            if (abort_) break;
          }
        }
        if (state_ == evtiConnecting) {
          state_ = evtiNotConnected;
          if (!abort_) showMessage(text::NoAnalyzerFound, ui::mb::Exclamation);
          raiseLinkError();
        } else {
          DetectMkIII();
        }
      },
      [&](const rt::RuntimeError& error) {
        state_ = evtiNotConnected;
        if (error.Number() == eeVTI_Error)
          errors().PassOnPendingError();
        else
          errors().ReportError(error, kConnectionSource);
      });
}

void CRV1XVTi::CloseChannel() {
  rt::ignoreErrorsEach([&] { LeaveMkIIIMode(); }, [] { MComm::ClosePort(); });
}

void CRV1XVTi::Wait(rt::Long iTime) {
  // One yield always, then a wait that any event may end: the pause's
  // tick, or an Abort from a click.
  rt::ignoreErrorsEach([&] { MComm::Form().StartSleepTimer(iTime); },
                       [&] {
                         ui::doEvents();
                         while (MComm::Form().IsSleeping() && !abort_) ui::waitForEvents();
                       });
}

rt::Integer CRV1XVTi::ProbePort(rt::Integer port) {
  for (;;) {
    const rt::Integer result = MComm::ProbeAnalyzer(port);
    if (result != MComm::probe::NotInRemoteMode) return result;
    DetectMkIII();
    if (mkiii_) return result;
    const int answer = showMessage(text::NotInRemoteMode, ui::mb::Information | ui::mb::RetryCancel,
                                   {QVariant(static_cast<int>(port))});
    if (answer != ui::mb::Retry) raiseLinkError();
  }
}

bool CRV1XVTi::IsHostVersionAtLeast(const QString& version) {
  return rt::orDefault([&] { return com::must(host::VersionService::instance()).AtLeast(version); },
                       false);
}

void CRV1XVTi::DetectMkIII() {
  // Statement by statement: a failing "X" leaves the reply to "Z" in place.
  QVariant reply;
  rt::ignoreErrorsEach(
      [&] { probing_ = true; }, [&] { reply = SendCommand(QStringLiteral("Z"), true); },
      [&] { reply = SendCommand(QStringLiteral("X"), false); }, [&] { probing_ = false; },
      [&] { mkiii_ = isText(reply, QStringLiteral("!")); });
}

void CRV1XVTi::LeaveMkIIIMode() {
  if (!mkiii_) return;
  rt::ignoreErrorsEach([&] { probing_ = true; }, [&] { SendCommand(QStringLiteral("Z"), true); },
                       [&] { SendCommand(QStringLiteral("Z"), true); }, [&] { probing_ = false; },
                       [&] { mkiii_ = false; });
}

RV1X_CREATABLE_CLASS("orvanRV1Xvti", CRV1XVTi)

}  // namespace orvanRV1Xvti
