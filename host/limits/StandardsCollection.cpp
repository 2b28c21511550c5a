#include "limits/StandardsCollection.h"

#include <QRegularExpression>
#include <utility>

#include "limits/Limit.h"
#include "limits/Standard.h"
#include "runtime/Conversions.h"
#include "runtime/NumberDisplay.h"
#include "runtime/RuntimeError.h"
#include "services/HostLog.h"
#include "xml/XmlDocument.h"
#include "xml/XmlKeeping.h"

namespace host {

// Stored form:
//   <Standards>
//     <Standard AlphaName="IEC" CompleteName="IEC 60601-2-4" Flags="1">
//       <Limit Key="ENGY" Unit="J" Operator="X+(X*Y%)"
//              High="15" HighEnabled="True" Low="-15" LowEnabled="True"/>
//     </Standard>
//   </Standards>
// The greater of a relative and an absolute tolerance is stored with the
// relative operator "X+(X*Y%)" and its absolute parts Z in "HighZ" and
// "LowZ": a host that knows only "Y", "X+Y" and "X+(X*Y%)" passes over the
// two attributes and judges by the relative tolerance alone, which is never
// looser. Files that stored the operator "X+max(X*Y%,Z)" itself read the
// same, and are written in this form.
// Values are locale-independent number texts that read back as the same
// single-precision value.

namespace {

const QString kStandards = QStringLiteral("Standards");
const QString kStandard = QStringLiteral("Standard");
const QString kLimit = QStringLiteral("Limit");
const QString kRelativeOperator = QStringLiteral("X+(X*Y%)");

// The operator of the last round's files, written in the form above.
[[maybe_unused]] const bool registered =
    (xmltree::addConversions({
         {kLimit, xmltree::Conversion::Of::Attribute, QStringLiteral("Operator"),
          [](const xmltree::Node&, const xmltree::Node*, const QString& value) {
            return value == kGreaterToleranceOperator;
          }},
     }),
     true);

QString flag(bool value) {
  return value ? QStringLiteral("True") : QStringLiteral("False");
}

// Reads the attributes of stored standards and limits. A number or flag
// that is not written as the collection writes it still reads as before (the
// number it begins with, or False), and the load's log is told of it, so a
// mistyped limit does not pass unnoticed.
class StoredAttributes {
 public:
  explicit StoredAttributes(HostLogPtr log) : log_(std::move(log)) {}

  // where: the standard's names, and the limit's key when it is a limit's.
  struct Where {
    QString text;
    QString alphaName;
    QString completeName;
    QString key;
  };

  double number(XmlElement& e, const QString& name, const Where& where) {
    const QString text = e.Attribute(name);
    const double value = rt::val(text);
    if (!text.trimmed().isEmpty() && !isNumberText(text))
      complain(where, name, text,
               QStringLiteral("is not a number, read as ") + rt::numberText(value));
    return value;
  }

  bool flag(XmlElement& e, const QString& name, const Where& where) {
    const QString text = e.Attribute(name);
    if (text == QLatin1String("True")) return true;
    if (!text.isEmpty() && text != QLatin1String("False"))
      complain(where, name, text, QStringLiteral("is neither True nor False, read as False"));
    return false;
  }

 private:
  static bool isNumberText(QString text) {
    static const QRegularExpression pattern(
        QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eEdD][+-]?[0-9]+)?$"));
    static const QRegularExpression blanks(QStringLiteral("[ \\t\\n]"));
    text.remove(blanks);
    return pattern.match(text).hasMatch();
  }

  void complain(const Where& where, const QString& name, const QString& text, const QString& what) {
    if (!log_) return;
    log_->Message(kStandardsLoadError, 2,
                  QStringLiteral("%1: %2 \"%3\" %4").arg(where.text, name, text, what),
                  {where.alphaName, where.completeName, where.key});
  }

  HostLogPtr log_;
};

LimitPtr loadLimit(XmlElement& e, StoredAttributes& stored,
                   const StoredAttributes::Where& standard) {
  auto limit = std::make_shared<Limit>();
  limit->Init(e.Attribute(QStringLiteral("Key")), e.Attribute(QStringLiteral("Unit")), QString(),
              QString());
  StoredAttributes::Where where = standard;
  where.text = QStringLiteral("%1, limit \"%2\"").arg(standard.text, limit->Key());
  where.key = limit->Key();
  const QString op = e.Attribute(QStringLiteral("Operator"));
  const bool absolute =
      e.hasAttribute(QStringLiteral("HighZ")) || e.hasAttribute(QStringLiteral("LowZ"));
  if (op == kRelativeOperator && absolute)
    limit->SetOperator(0, kGreaterToleranceOperator);
  else if (!op.isEmpty())
    limit->SetOperator(0, op);
  limit->SetValue(limitindex::High,
                  static_cast<rt::Single>(stored.number(e, QStringLiteral("High"), where)));
  limit->SetValue(limitindex::Low,
                  static_cast<rt::Single>(stored.number(e, QStringLiteral("Low"), where)));
  limit->SetEnabled(limitindex::High, stored.flag(e, QStringLiteral("HighEnabled"), where));
  limit->SetEnabled(limitindex::Low, stored.flag(e, QStringLiteral("LowEnabled"), where));
  // An enabled bound that holds no number would judge against 0, a bound
  // nobody gave: such a limit cannot be read.
  for (const auto& [index, name] : {std::pair{limitindex::High, QStringLiteral("High")},
                                    std::pair{limitindex::Low, QStringLiteral("Low")}}) {
    if (limit->Enabled(index) && e.Attribute(name).trimmed().isEmpty())
      rt::raise(rt::err::InvalidCall, kStandards,
                QStringLiteral("%1: %2 is enabled but holds no value").arg(where.text, name));
  }
  limit->SetAbsolute(limitindex::High,
                     static_cast<rt::Single>(stored.number(e, QStringLiteral("HighZ"), where)));
  limit->SetAbsolute(limitindex::Low,
                     static_cast<rt::Single>(stored.number(e, QStringLiteral("LowZ"), where)));
  return limit;
}

XmlElementPtr saveLimit(XmlDocument& document, Limit& limit) {
  XmlElementPtr e = document.CreateElement(kLimit);
  if (!e) return nullptr;
  e->SetAttribute(QStringLiteral("Key"), limit.Key());
  e->SetAttribute(QStringLiteral("Unit"), limit.Unit());
  const bool greater = limit.Operator(0) == kGreaterToleranceOperator;
  if (!limit.Operator(0).isEmpty())
    e->SetAttribute(QStringLiteral("Operator"), greater ? kRelativeOperator : limit.Operator(0));
  e->SetAttribute(QStringLiteral("High"), rt::numberText(limit.Value(limitindex::High)));
  e->SetAttribute(QStringLiteral("HighEnabled"), flag(limit.Enabled(limitindex::High)));
  e->SetAttribute(QStringLiteral("Low"), rt::numberText(limit.Value(limitindex::Low)));
  e->SetAttribute(QStringLiteral("LowEnabled"), flag(limit.Enabled(limitindex::Low)));
  if (greater) {
    e->SetAttribute(QStringLiteral("HighZ"), rt::numberText(limit.Absolute(limitindex::High)));
    e->SetAttribute(QStringLiteral("LowZ"), rt::numberText(limit.Absolute(limitindex::Low)));
  }
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

void StandardsCollection::Load(const XmlElementPtr& element, const HostLogPtr& log) {
  XmlElement& root = com::must(element);
  StoredAttributes stored(log);
  QList<StandardPtr> loaded;
  XmlNodeListPtr children = root.ChildNodes();
  for (rt::Long i = 0; i < children->Length(); ++i) {
    XmlElementPtr s = children->Item(i);
    if (s->TagName() != kStandard) continue;
    const QString alphaName = s->Attribute(QStringLiteral("AlphaName"));
    const QString completeName = s->Attribute(QStringLiteral("CompleteName"));
    const StoredAttributes::Where where{
        QStringLiteral("Standard \"%1\" (%2)").arg(alphaName, completeName), alphaName,
        completeName, QString()};
    // A standard is chosen by its names: of two with the same names only
    // the first would ever judge.
    for (const StandardPtr& earlier : loaded)
      if (earlier->AlphaName().compare(alphaName, Qt::CaseInsensitive) == 0 &&
          earlier->CompleteName().compare(completeName, Qt::CaseInsensitive) == 0)
        rt::raise(rt::err::InvalidCall, kStandards,
                  QStringLiteral("%1 is there twice: which of the two judges cannot be told")
                      .arg(where.text));
    auto standard = std::make_shared<Standard>();
    standard->Init(alphaName, completeName,
                   rt::toLong(stored.number(*s, QStringLiteral("Flags"), where)));
    XmlNodeListPtr limits = s->ChildNodes();
    for (rt::Long j = 0; j < limits->Length(); ++j) {
      XmlElementPtr l = limits->Item(j);
      if (l->TagName() == kLimit) standard->AddLimit(loadLimit(*l, stored, where));
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
