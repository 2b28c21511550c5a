#pragma once
// The result of the discharge test (test 200): the energy of the
// defibrillator's discharge into the analyzer, the delay, the peak current
// and the peak voltage, and, when the test fetched it, the recorded
// discharge curve of the analyzer's generation. It is initialised with its
// test element, whose configuration gives the preset energy and whether the
// curve is printed.
//
// The curve is stored after the measurements as the waveform's own
// "Waveform" element (Mk="III" for the newer generation), and only with the
// measurements: a result that was not evaluated, or not applicable, stores
// neither.

#include "orvanRV1Xtst/IWaveform.h"
#include "results/CLimitedResult.h"
#include "waveforms/IWaveformOwner.h"

namespace orvanRV1Xtst {

class CResultDischarge final : public CLimitedResult, public IWaveformOwner {
 public:
  CResultDischarge();
  ~CResultDischarge() override;

  // "ENGY" (with the test configuration's preset energy), "DELY", "PEKI"
  // and "PEKU"; keeps the test element as its owner.
  void Initialize(const host::ITestElementPtr& test);
  // "ENGY" from characters 1..6 of the defibrillator line, "DELY" from
  // 25..31, "PEKU" from 9..14, "PEKI" from 17..22.
  void StoreResult(const QString& reply);
  // A new waveform of the analyzer's generation (the newer one when
  // newerGeneration is set) from the analyzer's block and its range reply
  // ("H!" or "L!"), printed when the owner's configuration says so. It
  // replaces the one held.
  void StoreWaveForm(const QVariant& vWaveData, const QString& sRange, bool newerGeneration);
  // The curve held; Nothing when none was stored or loaded. The discharge
  // dialog asks for it through IWaveformOwner.
  IWaveformPtr Waveform() const override { return waveform_; }
  host::ITestElementPtr OwnerTest() const { return ownerTest_.lock(); }

  // A waveform to show also makes a dialog.
  bool HasDialog() override;

 protected:
  void LoadOtherChild(const QString& tag, const host::XmlElementPtr& child,
                      const host::HostLogPtr& log) override;
  void SaveAfterMeasurements(host::XmlElement& element,
                             const host::XmlDocumentPtr& document) override;
  void PrintAfterTable(const host::HostReportPtr& report) override;

 private:
  IWaveformPtr waveform_;
  // The test element holds the result, so the result only refers back.
  std::weak_ptr<host::ITestElement> ownerTest_;
};

}  // namespace orvanRV1Xtst
