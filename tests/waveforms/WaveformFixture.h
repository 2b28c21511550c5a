#pragma once
// What the waveform tests share: analyzer blocks built from raw counts, stored
// elements from XML text, and the error service's record.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QList>
#include <cmath>
#include <initializer_list>

#include "LocaleScope.h"
#include "QtPrinters.h"
#include "StoredElements.h"
#include "TestSupport.h"
#include "services/ErrorService.h"
#include "waveforms/CWaveFormMkII.h"
#include "waveforms/CWaveformMkIII.h"
#include "xml/XmlDocument.h"

namespace waveformtest {

inline host::ErrorService& errors() {
  return *host::ErrorService::instance();
}

// A block of byte pairs, high byte first, as the analyzer sends it.
inline QByteArray pairs(std::initializer_list<std::pair<int, int>> bytes) {
  QByteArray block;
  for (const auto& [hi, lo] : bytes) {
    block.append(static_cast<char>(hi));
    block.append(static_cast<char>(lo));
  }
  return block;
}

// A block of 16-bit counts (the older generation's encoding; for counts of
// -2048..2047 masked to 12 bits, the newer one's).
inline QByteArray counts(const QList<int>& raw, int mask = 0xFFFF) {
  QByteArray block;
  for (int count : raw) {
    const int bits = count & mask;
    block.append(static_cast<char>((bits >> 8) & 0xFF));
    block.append(static_cast<char>(bits & 0xFF));
  }
  return block;
}
inline QByteArray counts12(const QList<int>& raw) {
  return counts(raw, 0x0FFF);
}

inline QVariant block(const QByteArray& bytes) {
  return QVariant(bytes);
}

// A damped sine discharge of the older generation, in amperes, at 10
// samples per millisecond.
inline QList<double> dampedSine(double peak, int samples) {
  QList<double> amperes;
  for (int i = 0; i < samples; ++i) {
    const double t = i / 10.0;
    amperes.append(peak * 1.6 * std::exp(-t / 2.2) * std::sin(t / 1.9));
  }
  return amperes;
}

// A biphasic discharge of the newer generation in the high range: 2000
// counts, 8 ms at 250 samples per millisecond.
inline QByteArray biphasicBlock() {
  QList<int> raw;
  for (int i = 0; i < 2000; ++i) {
    const double t = i / 250.0;
    const double amperes = t < 4.5   ? 30 * std::exp(-t / 6)
                           : t < 7.5 ? -14 * std::exp(-(t - 4.5) / 6)
                                     : 0;
    raw.append(static_cast<int>(std::lround(amperes / -0.05)));
  }
  return counts12(raw);
}

inline QList<rt::Single> values(orvanRV1Xtst::IWaveform& waveform) {
  return orvanRV1Xtst::waveValues(waveform.Values());
}

class WaveformTest : public ::testing::Test {
 protected:
  void SetUp() override { errors().clear(); }
  void TearDown() override { errors().clear(); }

  host::XmlElementPtr element(const QString& xml) { return testsupport::xmlElement(xml); }

  static QString xmlOf(const host::XmlElementPtr& element) {
    auto document = std::make_shared<host::XmlDocument>();
    document->SetDocumentElement(element);
    return document->toString(-1).trimmed();
  }

  testsupport::LocaleScope locale_{testsupport::LocaleScope::english()};
  host::XmlDocumentPtr document_ = std::make_shared<host::XmlDocument>();
};

}  // namespace waveformtest
