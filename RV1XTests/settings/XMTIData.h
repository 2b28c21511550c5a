#pragma once
// The analyzer-identity editor ("RV1XTests.XMTIData") of the guide window:
// the operator picks the model type and types its serial number and
// firmware version. It keeps three identities, one per model type, read
// once from the registry when it starts and written back only by RegSave,
// under HKEY_LOCAL_MACHINE "Software\Tavrin\Orvan\RV-1X\MtiData":
//   "MRU"                                the selected entry (0..2)
//   sub-key <model type>: "Serial", "Firmware"
// An empty key gives the three models "RV-11", "RV-12P" and "RV-15".
//
// Controls, by name: cboMtiType, txtSerial, txtFirmware and the labels
// lblTitle, lblMtiType, lblSerial, lblFirmWare.

#include <array>

#include "controls/CustomControl.h"
#include "settings/CMtiData2.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace orvanRV1Xtst {

class XMTIData final : public host::CustomControl {
 public:
  XMTIData();
  ~XMTIData() override;

  // Writes "MRU" and the three entries, each under its model type's
  // sub-key. Never raises.
  void RegSave();
  // The selected entry itself, not a copy.
  CMtiData2Ptr GetMtiData() const { return entries_.at(selected_); }
  // Selects the entry of the identity's model type, gives it the identity's
  // serial number and firmware, and shows it. Nothing, or an identity of a
  // model the list does not hold, changes nothing: the model types of the
  // list never change.
  void SetMtiData(const CMtiData2Ptr& identity);

  // Selects the entry of a model the host found on the port, unless the
  // selected one is of it already. The text names one model or several of
  // one family, as the port query does ("RV-12P/15": RV-12P or RV-15).
  void SelectFoundModel(const QString& found);

  // Data: an identity (CMtiData2) for the selected entry; anything else is
  // ignored.
  void Initialize(const QVariant& Data) override;
  void Refresh() override { ShowSelected(); }
  void SetFocus() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  static constexpr int kEntryCount = 3;

  void LockedChanged(bool locked) override;
  void RegLoad();
  void ShowSelected();

  std::array<CMtiData2Ptr, kEntryCount> entries_;
  int selected_ = 0;

  QLabel* lblTitle_ = nullptr;
  QLabel* lblMtiType_ = nullptr;
  QLabel* lblSerial_ = nullptr;
  QLabel* lblFirmWare_ = nullptr;
  QComboBox* cboMtiType_ = nullptr;
  QLineEdit* txtSerial_ = nullptr;
  QLineEdit* txtFirmware_ = nullptr;
};

using XMTIDataPtr = std::shared_ptr<XMTIData>;

}  // namespace orvanRV1Xtst
