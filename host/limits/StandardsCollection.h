#pragma once
// The standards of one limit set, or those selected for a run. Bound to its
// owning test element (a weak back-reference) for the host's bookkeeping.

#include <QList>

#include "runtime/RuntimeError.h"
#include "typelib/HostTypes.h"

namespace host {

// The log message of a stored number or flag that the load could not read as
// written (severity 2). Its parameters: the standard's alpha and complete
// names, and the limit's key (empty for the standard's own attribute).
constexpr rt::Long kStandardsLoadError = rt::hresult(0x8004A690u);

class StandardsCollection : public virtual com::Object {
 public:
  ~StandardsCollection() override;

  virtual rt::Long Count() { return static_cast<rt::Long>(standards_.size()); }
  virtual StandardPtr Item(rt::Long position);  // 1-based, error 9 outside
  // The standard of both names (without regard to case), or Nothing. The
  // first argument is reserved and 0.
  virtual StandardPtr Find(rt::Long reserved, const QString& alphaName,
                           const QString& completeName);
  virtual StandardsCollectionPtr Clone();
  // Replaces the standards only when the whole element could be read; a
  // value that is not written as Save writes it is told to the log.
  virtual void Load(const XmlElementPtr& element, const HostLogPtr& log);
  virtual XmlElementPtr Save(const XmlDocumentPtr& document);
  virtual void Add(const StandardPtr& standard);  // error 91 for Nothing
  virtual void Unbind();
  virtual void SetOwner(const ITestElementPtr& owner);
  // Prints the standards (those in selected, matched by their names, or all
  // when selected is Nothing) with the measurement table, whose form is that
  // of report/MeasurementTable.h.
  virtual void Print(const HostReportPtr& report, const StandardsCollectionPtr& selected,
                     const QVariant& measurementTable);

  ITestElementPtr owner() const { return owner_.lock(); }
  bool bound() const { return !owner_.expired(); }
  QList<StandardPtr>::const_iterator begin() const { return standards_.begin(); }
  QList<StandardPtr>::const_iterator end() const { return standards_.end(); }

 private:
  QList<StandardPtr> standards_;
  std::weak_ptr<ITestElement> owner_;
};

}  // namespace host
