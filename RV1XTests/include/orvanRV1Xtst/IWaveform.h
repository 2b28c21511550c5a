#pragma once
// The discharge waveform: the current through the analyzer during a
// defibrillator's discharge, sampled at a fixed rate, in amperes. One
// implementation per analyzer generation; only the test library creates
// them. The discharge result keeps one, stores it in its "ResultItem" and
// prints it; the discharge waveform dialog shows it.

#include <QList>
#include <QString>
#include <QVariant>

#include "com/Object.h"
#include "runtime/Types.h"
#include "typelib/HostTypes.h"

namespace orvanRV1Xtst {

class IWaveform : public virtual com::Object {
 public:
  ~IWaveform() override;

  // Samples per millisecond: sample i lies i / Resolution ms after the
  // start of the block.
  virtual rt::Long Resolution() = 0;
  // Whether the result's printout carries the curve.
  virtual bool IncludeInReport() = 0;
  virtual void SetIncludeInReport(bool include) = 0;
  // The number of valid samples at the front of Values.
  virtual rt::Long ValueCount() = 0;
  // A copy of the whole array of samples (QList<rt::Single>, see
  // waveValues); it may hold more entries than ValueCount.
  virtual QVariant Values() = 0;
  // Decodes the analyzer's block (a QByteArray in the variant) with the
  // scale of the range reply ("H!" or "L!").
  virtual void Initialize(const QVariant& vWaveData, const QString& sRange) = 0;
  // Reads the "Waveform" element; a failure is reported and leaves no
  // valid samples, it never reaches the caller.
  virtual void Load(const host::XmlElementPtr& ixeIn, const host::HostLogPtr& iprLog) = 0;
  // The new, unattached "Waveform" element, or Nothing. When the document
  // gives no element, error 0x8004A3EC goes on to the caller; any other
  // failure (no samples, no document) is reported.
  virtual host::XmlElementPtr Save(const host::XmlDocumentPtr& ixdOwner) = 0;
  // Prints the curve when IncludeInReport is set.
  virtual void PrintReport(const host::HostReportPtr& iarReport) = 0;
};
using IWaveformPtr = std::shared_ptr<IWaveform>;

// The samples that Values carries; an empty list for any other variant.
inline QList<rt::Single> waveValues(const QVariant& values) {
  return values.value<QList<rt::Single>>();
}

// The valid samples of a waveform: the first ValueCount entries of Values.
inline QList<rt::Single> validSamples(IWaveform& waveform) {
  QList<rt::Single> values = waveValues(waveform.Values());
  const rt::Long count = waveform.ValueCount();
  if (count < values.size()) values.resize(count < 0 ? 0 : count);
  return values;
}

}  // namespace orvanRV1Xtst
