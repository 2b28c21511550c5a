#include "CRV1XQuery.h"

#include "LinkMessages.h"
#include "com/ServerModule.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "ui/MessageLoop.h"

namespace orvanRV1Xvti {

namespace {

constexpr rt::Long kDefaultTimeOut = 400;    // ms
constexpr rt::Long kLongestTimeOut = 65535;  // what a timer takes
constexpr int kReplyPause = 25;              // ms after the first byte, for the rest of the reply
const QString kLineSettings = QStringLiteral("9600,N,8,1");
const QString kModel = QStringLiteral("RV-12P/15");
const QString kProbe = QStringLiteral("\r\x0b");

}  // namespace

CRV1XQuery::CRV1XQuery()
    : comm_(serial::newTransport()), mfrmTimer_(std::make_unique<query::FTimer>()) {
  QObject::connect(mfrmTimer_.get(), &query::FTimer::Timer, mfrmTimer_.get(),
                   [this] { mfrmTimer_Timer(); });
  timeOut_ = readCommTimeOut(kDefaultTimeOut, kLongestTimeOut);
}

CRV1XQuery::~CRV1XQuery() {
  rt::ignoreErrorsEach([&] {
    if (comm_->PortOpen()) comm_->SetPortOpen(false);
  });
}

QString CRV1XQuery::MtiType() {
  return QString();
}
QString CRV1XQuery::SerialNo() {
  return QString();
}
QString CRV1XQuery::FWVersion() {
  return QString();
}

host::OrvanQelMti CRV1XQuery::QueryMTI(rt::Long iPort) {
  host::OrvanQelMti result;
  rt::ignoreErrorsEach([&] { OpenPort(rt::toInteger(static_cast<double>(iPort))); },
                       [&] {
                         if (comm_->PortStatus() == serial::status::Connected) result = SendProbe();
                       },
                       [&] { ClosePort(); });
  return result;
}

void CRV1XQuery::OpenPort(rt::Integer port) {
  comm_->SetCommPort(port);
  comm_->SetSettings(kLineSettings);
  comm_->SetInputLen(0);
  comm_->SetInputMode(0);
  comm_->SetPortOpen(true);
}

void CRV1XQuery::ClosePort() {
  rt::ignoreErrors([&] { comm_->SetPortOpen(false); });
}

host::OrvanQelMti CRV1XQuery::SendProbe() {
  comm_->SetInBufferCount(0);
  timedOut_ = false;
  mfrmTimer_->StartTimer(timeOut_);
  comm_->SetOutput(kProbe);
  while (comm_->InBufferCount() < 1 && !timedOut_) ui::waitForEvents();
  mfrmTimer_->StopTimer();
  ui::Sleep(kReplyPause);
  const QString reply = comm_->Input().toString();
  host::OrvanQelMti found;
  const bool answered =
      reply.size() == 3 && (reply.front() == u'!' || reply.front() == u'?') && reply.back() == u'>';
  if (answered) {
    found.MtiType = kModel;
    found.Present = 1;
  }
  return found;
}

void CRV1XQuery::mfrmTimer_Timer() {
  timedOut_ = true;
}

RV1X_CREATABLE_CLASS("orvanRV1Xvti", CRV1XQuery)

}  // namespace orvanRV1Xvti
