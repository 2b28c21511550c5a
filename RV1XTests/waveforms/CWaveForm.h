#pragma once
// What the waveforms of both analyzer generations share: the samples, the
// print flag, the stored "Waveform" element and the printout. A generation
// gives its sample rate, its scales, the size of its sample array and how it
// turns a byte pair into a raw count.
//
// Stored form: <Waveform Mk="III">v0;v1;...<PrintWaveform>True</PrintWaveform>
// </Waveform>, the values as the host's number formatter writes them; only
// the newer generation writes "Mk".
//
// A block that is not whole (not a byte array, shorter than the samples it
// should hold, ending inside a sample) decodes to the whole samples in front
// of the fault and no further; the fault is reported, and no sample is made
// up. A sample whose bytes carry more bits than the generation's counts is
// decoded by the generation's rule and kept; the block reports it once.

#include <QList>
#include <memory>

#include "orvanRV1Xtst/IWaveform.h"

namespace orvanRV1Xtst {

// The number the library raises when it cannot create an element, here for
// the "Waveform" element, and the source of every waveform error.
inline constexpr rt::Long kWaveformSaveError = rt::hresult(0x8004A3ECu);
inline constexpr rt::Long kWaveformSaveSeverity = 3;
inline const QString kWaveformSource = QStringLiteral("RV1XTests.CWaveForm");

struct WaveGeneration {
  rt::Long resolution;     // samples per millisecond
  rt::Single highScale;    // amperes per count with the range reply "H!"
  rt::Single lowScale;     // with "L!"
  qsizetype fixedSamples;  // the fixed array's size; 0 for an array sized by its samples
  QString mk;              // the "Mk" attribute; empty: none
};

class CWaveForm : public IWaveform, public std::enable_shared_from_this<CWaveForm> {
 public:
  ~CWaveForm() override;

  rt::Long Resolution() override { return generation_.resolution; }
  bool IncludeInReport() override { return includeInReport_; }
  void SetIncludeInReport(bool include) override { includeInReport_ = include; }
  rt::Long ValueCount() override { return valueCount_; }
  QVariant Values() override;
  void Initialize(const QVariant& vWaveData, const QString& sRange) override;
  void Load(const host::XmlElementPtr& ixeIn, const host::HostLogPtr& iprLog) override;
  host::XmlElementPtr Save(const host::XmlDocumentPtr& ixdOwner) override;
  void PrintReport(const host::HostReportPtr& iarReport) override;

  // Amperes per count for a range reply; 0 for any text but "H!" and "L!".
  rt::Single ScaleFor(const QString& range) const;

 protected:
  explicit CWaveForm(WaveGeneration generation);
  // The raw count of one sample, high byte first; raises error 6 for a
  // pair that the generation's encoding cannot hold.
  virtual rt::Long RawSample(rt::Byte hiByte, rt::Byte loByte) = 0;
  // Whether a pair carries bits beyond the generation's counts.
  virtual bool BeyondCount(rt::Byte /*hiByte*/) const { return false; }
  // The width of the generation's counts in bits, for that report.
  virtual int CountBits() const { return 16; }

 private:
  // The array that a decode or load of that many samples starts from.
  void ResizeFor(qsizetype samples);
  void StoreFields(const QList<QStringView>& fields);
  QString ValuesText();

  WaveGeneration generation_;
  QList<rt::Single> values_;
  rt::Long valueCount_ = 0;
  bool includeInReport_ = false;
};

}  // namespace orvanRV1Xtst
