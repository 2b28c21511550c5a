#pragma once
// A configuration, limit set and result that write what is asked of them
// into one journal ("config.Load PlugInData", "limits.Print", ...), and fail
// on demand, for the tests of the test element's base object.

#include <QStringList>

#include "StubResult.h"
#include "limits/StandardsCollection.h"
#include "records/RunContext.h"
#include "report/HostReport.h"
#include "runtime/RuntimeError.h"
#include "typelib/IConfigData.h"
#include "typelib/ILimitData.h"
#include "xml/XmlDocument.h"

namespace testservices {

struct Journal {
  QStringList lines;
};
using JournalPtr = std::shared_ptr<Journal>;

// What a part does: its name in the journal, the tag it saves, and the
// error it raises on Load (0: none) or whether Save gives no element.
struct PartBehaviour {
  rt::Long loadFails = 0;
  bool saveGivesNothing = false;
};

template <class Interface>
class RecordingPart : public Interface {
 public:
  RecordingPart(JournalPtr journal, QString name, QString tag)
      : journal_(std::move(journal)), name_(std::move(name)), tag_(std::move(tag)) {}
  PartBehaviour behaviour;
  QString value;  // what the last load read, and what a save writes

 protected:
  void load(const host::XmlElementPtr& element) {
    note(QStringLiteral("Load ") + element->TagName());
    if (behaviour.loadFails) rt::raise(behaviour.loadFails, name_, QStringLiteral("refused"));
    value = element->Attribute(QStringLiteral("Value"));
  }
  host::XmlElementPtr save(const host::XmlDocumentPtr& document) {
    note(QStringLiteral("Save"));
    if (behaviour.saveGivesNothing) return nullptr;
    host::XmlElementPtr element = document->CreateElement(tag_);
    element->SetAttribute(QStringLiteral("Value"), value);
    return element;
  }
  void note(const QString& what) { journal_->lines << name_ + u'.' + what; }
  template <class Copy>
  std::shared_ptr<Copy> copyOf(const Copy& self) {
    auto copy = std::make_shared<Copy>(journal_);
    copy->value = self.value;
    return copy;
  }

  JournalPtr journal_;
  QString name_;
  QString tag_;
};

class RecordingConfig final : public RecordingPart<host::IConfigData> {
 public:
  explicit RecordingConfig(JournalPtr journal)
      : RecordingPart(std::move(journal), QStringLiteral("config"), QStringLiteral("PlugInData")) {}
  bool HasDialog() override { return false; }
  host::IConfigDataPtr Clone() override { return copyOf(*this); }
  host::IDialogPtr CreateDialog() override { return nullptr; }
  void Load(const host::XmlElementPtr& e, const host::HostLogPtr&) override { load(e); }
  host::XmlElementPtr Save(const host::XmlDocumentPtr& d) override { return save(d); }
  void PrintReport(const host::HostReportPtr&) override { note(QStringLiteral("Print")); }
};

class RecordingLimits final : public RecordingPart<host::ILimitData> {
 public:
  explicit RecordingLimits(JournalPtr journal)
      : RecordingPart(std::move(journal), QStringLiteral("limits"),
                      QStringLiteral("ExpectedResult")) {}
  host::RunContextPtr printedWith;
  host::StandardsCollectionPtr standards;

  QString Description() override { return QString(); }
  void SetDescription(const QString&) override {}
  bool HasDialog() override { return false; }
  host::StandardsCollectionPtr Standards() override { return standards; }
  host::ITestElementPtr Owner() override { return nullptr; }
  host::ILimitDataPtr Clone() override { return copyOf(*this); }
  host::IDialogPtr CreateDialog() override { return nullptr; }
  host::StandardPtr CreateStandard(const QString&, const QString&) override { return nullptr; }
  void Load(const host::XmlElementPtr& e, const host::HostLogPtr&) override { load(e); }
  host::XmlElementPtr Save(const host::XmlDocumentPtr& d) override { return save(d); }
  void PrintReport(const host::HostReportPtr&, const host::RunContextPtr& ctx) override {
    printedWith = ctx;
    note(QStringLiteral("Print"));
  }
  void UpdateLimits(const com::ObjectPtr&) override {}
  host::StandardsCollectionPtr FindFailedStandards(const host::IMeasurementPtr&,
                                                   const host::StandardsCollectionPtr&) override {
    return nullptr;
  }
};

class RecordingResult final : public RecordingPart<testsupport::StubResult> {
 public:
  explicit RecordingResult(JournalPtr journal)
      : RecordingPart(std::move(journal), QStringLiteral("result"), QStringLiteral("ResultItem")) {}
  QVariant printedWith;

  void Load(const host::XmlElementPtr& e, const host::HostLogPtr&) override { load(e); }
  host::XmlElementPtr Save(const host::XmlDocumentPtr& d) override { return save(d); }
  void PrintReport(const host::HostReportPtr&, const QVariant& arg) override {
    printedWith = arg;
    note(QStringLiteral("Print"));
  }
};

}  // namespace testservices
