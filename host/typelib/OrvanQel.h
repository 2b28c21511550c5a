#pragma once
// The host's analyzer query library: the query interface an instrument
// plug-in implements and the record it answers.

#include "typelib/HostTypes.h"

namespace host {

// One analyzer as a query found it; every field empty means "not found".
struct OrvanQelMti {
  QString MtiType;  // the model name
  QString SerialNo;
  QString FWVersion;
  rt::Long Present = 0;  // 1 when an analyzer answered

  bool isEmpty() const {
    return MtiType.isEmpty() && SerialNo.isEmpty() && FWVersion.isEmpty() && Present == 0;
  }
};

class IOrvanQelQuery : public virtual com::Object {
 public:
  ~IOrvanQelQuery() override;
  virtual QString MtiType() = 0;
  virtual QString SerialNo() = 0;
  virtual QString FWVersion() = 0;
  virtual OrvanQelMti QueryMTI(rt::Long iPort) = 0;
};

}  // namespace host
