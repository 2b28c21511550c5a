#include "records/TestGuideSettingsObject.h"

#include "runtime/Conversions.h"
#include "xml/XmlDocument.h"

namespace host {

namespace {
const QString kTag = QStringLiteral("TestGuideSettings");
const QString kMask = QStringLiteral("ButtonMask");
}  // namespace

TestGuideSettingsObject::~TestGuideSettingsObject() = default;

void TestGuideSettingsObject::Load(const XmlElementPtr& element, const HostLogPtr&) {
  XmlElement& e = com::must(element);
  const QString mask = e.Attribute(kMask);
  if (!mask.isEmpty()) buttonMask_ = rt::toLong(rt::val(mask));
}

XmlElementPtr TestGuideSettingsObject::Save(const XmlDocumentPtr& document) {
  XmlElementPtr element = com::must(document).CreateElement(kTag);
  if (!element) return nullptr;
  element->SetAttribute(kMask, QString::number(buttonMask_));
  return element;
}

TestGuideSettingsObjectPtr TestGuideSettingsObject::Clone() {
  auto copy = std::make_shared<TestGuideSettingsObject>();
  copy->buttonMask_ = buttonMask_;
  return copy;
}

}  // namespace host
