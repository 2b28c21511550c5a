#pragma once
// The instrument link's type library: the connection to one RV-1X analyzer
// (CRV1XVTi), its states (EVtiState) and its one error number (EVTIError).
//
// A test element holds one connection, created by its registered name:
//   auto link = com::createObjectAs<orvanRV1Xvti::CRV1XVTi>(orvanRV1Xvti::kConnectionProgId);
//   link->OpenChannel();
//   if (link->State() == orvanRV1Xvti::evtiIdle) { ... link->SendCommand("M", false) ... }
//   link->CloseChannel();
// Every failure reaches the caller as eeVTI_Error raised through the host's
// error service. The serial link behind the connections (port, link state,
// time-outs) is one per thread and shared by every connection of the thread.

#include <QString>
#include <QVariant>

#include "com/Object.h"
#include "runtime/RuntimeError.h"

namespace orvanRV1Xvti {

enum EVtiState : rt::Long {
  evtiNotConnected = 0,
  evtiConnecting = 1,
  evtiIdle = 2,
  evtiBusy = 3,  // published, never taken
  evtiTransmitting = 4,
  evtiDisconnecting = 5,  // published, never taken
};

enum EVTIError : rt::Long {
  eeVTI_Error = rt::hresult(0x8004A462u),
};

inline const QString kConnectionProgId = QStringLiteral("SelkamRV1XVTI.CRV1XVTi");

class CRV1XVTi : public virtual com::Object {
 public:
  CRV1XVTi();
  ~CRV1XVTi() override;

  // The connected analyzer is of the newer generation (MkIII).
  virtual bool IsMkIII();
  virtual EVtiState State();
  // Ends a running wait or exchange at its next check; may come from a click
  // handled while another member waits.
  virtual void Abort();
  // Sends one command and returns its reply text, or for "P" the waveform
  // block as a byte array. With fIgnoreErrors False a rejected ("?") or
  // missing reply raises eeVTI_Error after message 20321.
  virtual QVariant SendCommand(const QString& sCommand, bool fIgnoreErrors);
  // Receives once more and returns the reply text (the last one again when
  // nothing is pending).
  virtual QString GetResults();
  // Finds the analyzer: on the port the host assigns, or on ports 1 to 16
  // with a host older than 2.1.2. State() is evtiIdle when it answered.
  virtual void OpenChannel();
  // Leaves the newer generation's mode and closes the port; never fails.
  virtual void CloseChannel();
  // Waits iTime ms while events run; returns at once after an Abort.
  virtual void Wait(rt::Long iTime);

 private:
  rt::Integer ProbePort(rt::Integer port);
  bool IsHostVersionAtLeast(const QString& version);
  void DetectMkIII();
  void LeaveMkIIIMode();

  EVtiState state_ = evtiNotConnected;
  bool abort_ = false;
  bool probing_ = false;
  bool mkiii_ = false;
};

}  // namespace orvanRV1Xvti
