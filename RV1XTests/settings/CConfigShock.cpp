#include "settings/CConfigShock.h"

#include "runtime/Conversions.h"
#include "settings/StoredSettings.h"
#include "xml/XmlDocument.h"

namespace orvanRV1Xtst {

namespace {
const QString kStepElement = QStringLiteral("ShockAdvice");
const QString kKeyPrefix = QStringLiteral("::");
}  // namespace

CConfigShock::CConfigShock()
    : ConfigClass({QStringLiteral("RV1XTests.CConfigShock"),
                   QStringLiteral("RV1XTests.XShockConfig"), reporttable::Shape::NarrowFirstColumn,
                   /*checksElement=*/false}) {
  AddNew();
}

CConfigShock::~CConfigShock() = default;

std::vector<CShockAdviceSettingPtr> CConfigShock::NewEnum() const {
  std::vector<CShockAdviceSettingPtr> steps;
  if (steps_)
    for (const CShockAdviceSettingPtr& step : *steps_) steps.push_back(step);
  return steps;
}

rt::Long CConfigShock::Count() const {
  return steps_ ? steps_->Count() : 0;
}

CShockAdviceSettingPtr CConfigShock::Item(rt::Long position) const {
  if (position < 1 || position > Count()) return nullptr;
  return steps_->Item(position);
}

CShockAdviceSettingPtr CConfigShock::Item(const QString& key) const {
  if (!steps_ || !steps_->Contains(key)) return nullptr;
  return steps_->Item(key);
}

void CConfigShock::Add(const CShockAdviceSettingPtr& step) {
  if (!step) return;
  if (!steps_) steps_ = std::make_unique<Steps>();
  if (steps_->Contains(step->Key())) return;
  steps_->Add(step, step->Key());
}

CShockAdviceSettingPtr CConfigShock::AddNew() {
  auto step = std::make_shared<CShockAdviceSetting>();
  GiveNextKey(*step);
  Add(step);
  return step;
}

void CConfigShock::Remove(rt::Integer position) {
  if (position < 1 || position > Count()) return;
  steps_->Remove(position);
  if (steps_->Count() == 0) steps_.reset();
}

void CConfigShock::GiveNextKey(CShockAdviceSetting& step, const QStringList& taken) {
  // A key the counter has not reached can be held already: a step added
  // under a key of its own, or one whose stored key the load could not
  // count.
  QString key;
  do {
    keyCounter_ = rt::toLong(static_cast<double>(keyCounter_) + 1);
    key = kKeyPrefix + stored::numberText(keyCounter_);
  } while (Item(key) || taken.contains(key, Qt::CaseInsensitive));
  step.Init(key);
}

void CConfigShock::RaiseCounterToKeys() {
  for (const CShockAdviceSettingPtr& step : NewEnum()) {
    const rt::Long number = rt::toLong(stored::number(step->Key().mid(kKeyPrefix.size())));
    if (number > keyCounter_) keyCounter_ = number;
  }
}

void CConfigShock::CopyFrom(const std::shared_ptr<CConfigShock>& source) {
  if (!source) return;
  steps_.reset();
  CopyTestGuideConfigFrom(*source);
  for (const CShockAdviceSettingPtr& step : source->NewEnum()) Add(step->Clone());
  RaiseCounterToKeys();
}

void CConfigShock::BeginLoad() {
  steps_.reset();
  keyCounter_ = 0;
}

bool CConfigShock::LoadSettings(host::XmlElement& element, const host::HostLogPtr& log) {
  // A step that cannot be read has been reported by the step and is left
  // out. Keyless steps get their keys once every stored key is known, so
  // that a key given to one never takes the place of a stored step's.
  std::vector<CShockAdviceSettingPtr> read;
  QStringList storedKeys;
  const host::XmlNodeListPtr nodes = element.ChildNodes();
  const rt::Long count = com::must(nodes).Length();
  for (rt::Long i = 0; i < count; ++i) {
    const host::XmlElementPtr child = nodes->Item(i);
    if (com::must(child).TagName() != kStepElement) continue;
    auto step = std::make_shared<CShockAdviceSetting>();
    if (!step->Load(child, log)) continue;
    if (!step->Key().isEmpty()) storedKeys.append(step->Key());
    read.push_back(step);
  }
  for (const CShockAdviceSettingPtr& step : read) {
    if (step->Key().isEmpty()) GiveNextKey(*step, storedKeys);
    Add(step);
  }
  return true;
}

void CConfigShock::EndLoad() {
  RaiseCounterToKeys();
}

void CConfigShock::SaveSettings(host::XmlElement& element, const host::XmlDocumentPtr& document) {
  for (const CShockAdviceSettingPtr& step : NewEnum())
    if (host::XmlElementPtr stored = step->Save(document)) element.AppendChild(stored);
}

}  // namespace orvanRV1Xtst
