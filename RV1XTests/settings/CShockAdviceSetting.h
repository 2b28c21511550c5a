#pragma once
// One step of the shock-advisory test: the rhythm the analyzer plays, for how
// long, and whether the defibrillator under test is expected to advise a
// shock for it. Steps live in the shock-advisory configuration, keyed by
// "::<number>", and are stored as "ShockAdvice" elements.

#include <QString>
#include <array>
#include <optional>

#include "runtime/Types.h"
#include "typelib/HostTypes.h"

namespace orvanRV1Xtst {

// The rhythms the analyzer can play, by wave index. The text numbers do not
// follow the index order; the analyzer command is "V" and index + 1.
struct ShockRhythm {
  const char* textKey;
  bool advice;  // a shock is expected when this rhythm is chosen
};

inline constexpr std::array<ShockRhythm, 8> kShockRhythms{{
    {"20170::Asystolic", false},
    {"20177::CVF", true},
    {"20176::FVF", true},
    {"20172::MVT1", true},
    {"20174::MVT2", true},
    {"20173::PVT1", true},
    {"20175::PVT2", true},
    {"20171::NSR 90", false},
}};

class CShockAdviceSetting;
using CShockAdviceSettingPtr = std::shared_ptr<CShockAdviceSetting>;

class CShockAdviceSetting : public virtual com::Object {
 public:
  static constexpr rt::Long kDefaultDuration = 30;  // seconds

  CShockAdviceSetting();
  ~CShockAdviceSetting() override;

  const QString& Key() const { return key_; }

  rt::Long WaveFormIndex() const { return waveFormIndex_; }
  // Also sets the expected advice to the one of the chosen rhythm; an index
  // that names no rhythm expects a shock.
  void SetWaveFormIndex(rt::Long index);

  rt::Long Duration() const { return duration_; }  // 0: until the operator answers
  void SetDuration(rt::Long seconds) { duration_ = seconds; }

  bool Advice() const { return advice_; }
  void SetAdvice(bool advice) { advice_ = advice; }

  // The translated name of the rhythm ("" asked for an unknown index).
  QString WaveText() const;
  // The analyzer command that plays the rhythm: "V01" .. "V08".
  QString WaveCode() const;

  // Sets the key and each value given, as it is (the advice is not derived
  // from the index here).
  void Init(const QString& key, std::optional<rt::Long> index = std::nullopt,
            std::optional<rt::Long> duration = std::nullopt,
            std::optional<bool> advice = std::nullopt);
  // A new step with the same key and values; Nothing after a reported error.
  CShockAdviceSettingPtr Clone() const;

  // The log is accepted for symmetry with the other stored objects. False
  // when the step could not be read (the error has been reported).
  bool Load(const host::XmlElementPtr& ixeIn, const host::HostLogPtr& iprLog);
  // The new "ShockAdvice" element, or Nothing after an error.
  host::XmlElementPtr Save(const host::XmlDocumentPtr& ixdOwner);

 private:
  QString key_;
  rt::Long waveFormIndex_ = 0;
  rt::Long duration_ = kDefaultDuration;
  bool advice_ = false;
};

}  // namespace orvanRV1Xtst
