#include "limits/StandardsCollection.h"

#include "limits/Limit.h"
#include "limits/Standard.h"
#include "runtime/Conversions.h"
#include "runtime/NumberDisplay.h"
#include "xml/XmlDocument.h"

namespace host {

// Stored form:
//   <Standards>
//     <Standard AlphaName="IEC" CompleteName="IEC 60601-2-4" Flags="1">
//       <Limit Key="ENGY" Unit="J" Operator="X+(X*Y%)"
//              High="15" HighEnabled="True" Low="-15" LowEnabled="True"/>
//     </Standard>
//   </Standards>
// Values are locale-independent number texts that read back as the same
// single-precision value.

namespace {

const QString kStandards = QStringLiteral("Standards");
const QString kStandard = QStringLiteral("Standard");
const QString kLimit = QStringLiteral("Limit");

QString flag(bool value) {
  return value ? QStringLiteral("True") : QStringLiteral("False");
}

LimitPtr loadLimit(const XmlElementPtr& e) {
  auto limit = std::make_shared<Limit>();
  limit->Init(e->Attribute(QStringLiteral("Key")), e->Attribute(QStringLiteral("Unit")), QString(),
              QString());
  const QString op = e->Attribute(QStringLiteral("Operator"));
  if (!op.isEmpty()) limit->SetOperator(0, op);
  limit->SetValue(limitindex::High,
                  static_cast<rt::Single>(rt::val(e->Attribute(QStringLiteral("High")))));
  limit->SetValue(limitindex::Low,
                  static_cast<rt::Single>(rt::val(e->Attribute(QStringLiteral("Low")))));
  limit->SetEnabled(limitindex::High,
                    e->Attribute(QStringLiteral("HighEnabled")) == QLatin1String("True"));
  limit->SetEnabled(limitindex::Low,
                    e->Attribute(QStringLiteral("LowEnabled")) == QLatin1String("True"));
  return limit;
}

XmlElementPtr saveLimit(XmlDocument& document, Limit& limit) {
  XmlElementPtr e = document.CreateElement(kLimit);
  if (!e) return nullptr;
  e->SetAttribute(QStringLiteral("Key"), limit.Key());
  e->SetAttribute(QStringLiteral("Unit"), limit.Unit());
  if (!limit.Operator(0).isEmpty()) e->SetAttribute(QStringLiteral("Operator"), limit.Operator(0));
  e->SetAttribute(QStringLiteral("High"), rt::numberText(limit.Value(limitindex::High)));
  e->SetAttribute(QStringLiteral("HighEnabled"), flag(limit.Enabled(limitindex::High)));
  e->SetAttribute(QStringLiteral("Low"), rt::numberText(limit.Value(limitindex::Low)));
  e->SetAttribute(QStringLiteral("LowEnabled"), flag(limit.Enabled(limitindex::Low)));
  return e;
}

}  // namespace

StandardsCollection::~StandardsCollection() = default;

StandardPtr StandardsCollection::Item(rt::Long position) {
  if (position < 1 || position > Count()) rt::raise(rt::err::SubscriptOutOfRange, kStandards);
  return standards_.at(position - 1);
}

StandardPtr StandardsCollection::Find(rt::Long, const QString& alphaName,
                                      const QString& completeName) {
  for (const StandardPtr& standard : standards_)
    if (standard->AlphaName().compare(alphaName, Qt::CaseInsensitive) == 0 &&
        standard->CompleteName().compare(completeName, Qt::CaseInsensitive) == 0)
      return standard;
  return nullptr;
}

StandardsCollectionPtr StandardsCollection::Clone() {
  auto copy = std::make_shared<StandardsCollection>();
  for (const StandardPtr& standard : standards_) copy->standards_.append(standard->Copy());
  copy->owner_ = owner_;
  return copy;
}

void StandardsCollection::Load(const XmlElementPtr& element, const HostLogPtr&) {
  XmlElement& root = com::must(element);
  QList<StandardPtr> loaded;
  XmlNodeListPtr children = root.ChildNodes();
  for (rt::Long i = 0; i < children->Length(); ++i) {
    XmlElementPtr s = children->Item(i);
    if (s->TagName() != kStandard) continue;
    auto standard = std::make_shared<Standard>();
    standard->Init(s->Attribute(QStringLiteral("AlphaName")),
                   s->Attribute(QStringLiteral("CompleteName")),
                   rt::toLong(rt::val(s->Attribute(QStringLiteral("Flags")))));
    XmlNodeListPtr limits = s->ChildNodes();
    for (rt::Long j = 0; j < limits->Length(); ++j) {
      XmlElementPtr l = limits->Item(j);
      if (l->TagName() == kLimit) standard->AddLimit(loadLimit(l));
    }
    loaded.append(standard);
  }
  standards_ = loaded;  // only a load that went through replaces what was there
}

XmlElementPtr StandardsCollection::Save(const XmlDocumentPtr& document) {
  XmlDocument& doc = com::must(document);
  XmlElementPtr root = doc.CreateElement(kStandards);
  if (!root) return nullptr;
  for (const StandardPtr& standard : standards_) {
    XmlElementPtr s = doc.CreateElement(kStandard);
    s->SetAttribute(QStringLiteral("AlphaName"), standard->AlphaName());
    s->SetAttribute(QStringLiteral("CompleteName"), standard->CompleteName());
    s->SetAttribute(QStringLiteral("Flags"), QString::number(standard->Flags()));
    for (const LimitPtr& limit : standard->Limits()) s->AppendChild(saveLimit(doc, *limit));
    root->AppendChild(s);
  }
  return root;
}

void StandardsCollection::Add(const StandardPtr& standard) {
  com::must(standard);
  standards_.append(standard);
}

void StandardsCollection::Unbind() {
  owner_.reset();
}

void StandardsCollection::SetOwner(const ITestElementPtr& owner) {
  owner_ = owner;
}

}  // namespace host
