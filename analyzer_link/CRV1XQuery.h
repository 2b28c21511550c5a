#pragma once
// The host's question "is your analyzer on this port?", answered with one
// short probe on a serial control of the query's own (not the link's).

#include <memory>

#include "FTimer.h"
#include "serial/Transport.h"
#include "typelib/OrvanQel.h"

namespace orvanRV1Xvti {

inline const QString kQueryProgId = QStringLiteral("SelkamRV1XVTI.CRV1XQuery");

class CRV1XQuery : public host::IOrvanQelQuery {
 public:
  CRV1XQuery();
  ~CRV1XQuery() override;

  QString MtiType() override;
  QString SerialNo() override;
  QString FWVersion() override;
  // Found: the model "RV-12P/15" and 1; not found: the empty record.
  host::OrvanQelMti QueryMTI(rt::Long iPort) override;

  rt::Long timeOut() const { return timeOut_; }

 private:
  void OpenPort(rt::Integer port);
  void ClosePort();
  host::OrvanQelMti SendProbe();
  void mfrmTimer_Timer();

  std::unique_ptr<serial::Transport> comm_;
  std::unique_ptr<query::FTimer> mfrmTimer_;
  bool timedOut_ = false;
  rt::Long timeOut_ = 0;
};

}  // namespace orvanRV1Xvti
