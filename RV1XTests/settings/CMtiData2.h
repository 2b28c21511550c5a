#pragma once
// One analyzer identity: the model type (also the name of its registry
// sub-key), the serial number and the firmware version, as the operator
// typed them.

#include <QString>
#include <memory>

#include "com/Object.h"

namespace orvanRV1Xtst {

class CMtiData2 final : public virtual com::Object {
 public:
  ~CMtiData2() override;

  QString MtiType() const { return mtiType_; }
  void SetMtiType(const QString& mtiType) { mtiType_ = mtiType; }
  QString Serial() const { return serial_; }
  void SetSerial(const QString& serial) { serial_ = serial; }
  QString Firmware() const { return firmware_; }
  void SetFirmware(const QString& firmware) { firmware_ = firmware; }

 private:
  QString mtiType_;
  QString serial_;
  QString firmware_;
};

using CMtiData2Ptr = std::shared_ptr<CMtiData2>;

}  // namespace orvanRV1Xtst
