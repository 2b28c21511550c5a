#include "records/ServiceRecord.h"

#include "xml/XmlDocument.h"

namespace host {

namespace {
const QString kTag = QStringLiteral("ServiceRecord");
}

ServiceRecord::~ServiceRecord() = default;

void ServiceRecord::Build(const TestFilterPtr&, const QString& flag, const QString& summary) {
  built_ = true;
  flag_ = flag;
  summary_ = summary;
}

void ServiceRecord::Load(const XmlElementPtr& element, const HostLogPtr&) {
  XmlElement& e = com::must(element);
  if (e.TagName() != kTag)
    rt::raise(rt::err::InvalidCall, kTag, QStringLiteral("Not a service record"));
  built_ = e.Attribute(QStringLiteral("Built")) == QLatin1String("True");
  flag_ = e.Attribute(QStringLiteral("Flag"));
  summary_ = e.Text();
}

XmlElementPtr ServiceRecord::Save(const XmlDocumentPtr& document) {
  XmlElementPtr element = com::must(document).CreateElement(kTag);
  if (!element) return nullptr;
  element->SetAttribute(QStringLiteral("Built"),
                        built_ ? QStringLiteral("True") : QStringLiteral("False"));
  element->SetAttribute(QStringLiteral("Flag"), flag_);
  element->SetText(summary_);
  return element;
}

}  // namespace host
