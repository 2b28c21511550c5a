#pragma once
// Settings of the shock-advisory test (test 700): the steps the analyzer
// plays in order, each a rhythm with its duration and the expected advice,
// kept in a collection keyed by "::<number>". Keys come from a counter that
// only grows while the configuration lives, so a key handed out is never
// handed out again, not even after its step was removed.
//
// Unlike the other configurations it loads any element it is given (the
// steps are found by their own element name) and prints nothing. The
// collection operations never raise: a missing step, a repeated key or a
// position that names no step leaves the steps as they are.

#include <QStringList>
#include <vector>

#include "runtime/KeyedCollection.h"
#include "settings/CConfigBase.h"
#include "settings/CShockAdviceSetting.h"

namespace orvanRV1Xtst {

class CConfigShock : public ConfigClass<CConfigShock> {
 public:
  // A new configuration holds one step with the defaults, keyed "::1".
  CConfigShock();
  ~CConfigShock() override;

  // The steps in their order (For Each).
  std::vector<CShockAdviceSettingPtr> NewEnum() const;
  rt::Long Count() const;
  // By 1-based position or by key; Nothing when there is no such step.
  CShockAdviceSettingPtr Item(rt::Long position) const;
  CShockAdviceSettingPtr Item(const QString& key) const;
  // Adds the step under its key; Nothing, or a key already present, adds
  // nothing.
  void Add(const CShockAdviceSettingPtr& step);
  // A step with the defaults under the next key that no step holds, added
  // and answered.
  CShockAdviceSettingPtr AddNew();
  // Removes the step at the 1-based position.
  void Remove(rt::Integer position);

  void CopyFrom(const std::shared_ptr<CConfigShock>& source);

 protected:
  void BeginLoad() override;
  bool LoadSettings(host::XmlElement& element, const host::HostLogPtr& log) override;
  void EndLoad() override;
  void SaveSettings(host::XmlElement& element, const host::XmlDocumentPtr& document) override;

 private:
  using Steps = rt::KeyedCollection<CShockAdviceSettingPtr>;

  // The counter's next key that neither a step nor the taken keys hold.
  void GiveNextKey(CShockAdviceSetting& step, const QStringList& taken = {});
  // Raises the counter to the largest number the steps' keys hold.
  void RaiseCounterToKeys();

  // Released when the last step goes; every member takes Nothing as empty.
  std::unique_ptr<Steps> steps_;
  rt::Long keyCounter_ = 0;
};

}  // namespace orvanRV1Xtst
