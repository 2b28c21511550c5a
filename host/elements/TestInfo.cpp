#include "elements/TestInfo.h"

#include "xml/XmlDocument.h"

namespace host {

TestInfo::~TestInfo() = default;

void TestInfo::SetTypeAndParameter(const QString& type, const QString& parameter) {
  type_ = type;
  parameter_ = parameter;
}

void TestInfo::SetDescription(const QString& description) {
  description_ = description;
}

void TestInfo::SetName(const QString& name) {
  name_ = name;
}

void TestInfo::Load(const XmlElementPtr& element) {
  XmlElement& info = com::must(element);
  SetName(info.Attribute(QStringLiteral("Name")));
  SetTypeAndParameter(info.Attribute(QStringLiteral("Type")),
                      info.Attribute(QStringLiteral("Parameter")));
  SetDescription(info.Attribute(QStringLiteral("Description")));
}

XmlElementPtr TestInfo::Save(const XmlDocumentPtr& document) {
  const std::pair<const char*, QString> fields[] = {
      {"Name", name_}, {"Type", type_}, {"Parameter", parameter_}, {"Description", description_}};
  XmlElementPtr element;
  for (const auto& [attribute, text] : fields) {
    if (text.isEmpty()) continue;
    if (!element) element = com::must(document).CreateElement(QStringLiteral("Info"));
    element->SetAttribute(QLatin1String(attribute), text);
  }
  return element;
}

TestInfoPtr TestInfo::Clone() {
  auto copy = std::make_shared<TestInfo>();
  copy->name_ = name_;
  copy->type_ = type_;
  copy->parameter_ = parameter_;
  copy->description_ = description_;
  return copy;
}

}  // namespace host
