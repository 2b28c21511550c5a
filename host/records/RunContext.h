#pragma once
// What the host hands to a test run: whether it may run, where the operator
// navigated to, the standards selected for the run, the analyzer identity
// list, and the notice that the test is done (once per final result).
//
// The host keeps one context for a sequence and resets its navigation code
// before each Perform, so that it can tell whether the test wrote one.

#include <QList>

#include "typelib/HostTypes.h"

namespace host {

namespace navigation {
constexpr rt::Long Next = 0;  // also "not applicable"
constexpr rt::Long Previous = 1;
constexpr rt::Long Abort = 2;
constexpr rt::Long Skip = 3;
}  // namespace navigation

class RunContext : public virtual com::Object {
 public:
  RunContext();
  ~RunContext() override;

  virtual void MayRun(const ITestElementPtr& test, bool& mayRun);
  virtual rt::Long NavigationCode() { return navigationCode_; }
  virtual void SetNavigationCode(rt::Long code) {
    navigationCode_ = code;
    navigationWritten_ = true;
  }
  // Nothing means every standard (a printed report without a run).
  virtual StandardsCollectionPtr SelectedStandards() { return selected_; }
  virtual MtiListPtr MtiList() { return mtiList_; }
  virtual void Notify(const ITestElementPtr& test);

  // Host side.
  void setMayRun(bool mayRun) { mayRun_ = mayRun; }
  void setSelectedStandards(StandardsCollectionPtr selected) { selected_ = std::move(selected); }
  // The operator's pick in the guide's standard box: from now on the test
  // is judged by that standard of its limit set alone; what is selected for
  // other tests stays. A standard the test's limit set lacks changes nothing.
  void selectOnly(const ITestElementPtr& test, const QString& alphaName,
                  const QString& completeName);
  // Whether a navigation code was written since the last reset.
  bool navigationCodeWritten() const { return navigationWritten_; }
  void resetNavigationCode() {
    navigationCode_ = navigation::Next;
    navigationWritten_ = false;
  }
  const QList<std::weak_ptr<ITestElement>>& notified() const { return notified_; }

 private:
  bool mayRun_ = true;
  rt::Long navigationCode_ = navigation::Next;
  bool navigationWritten_ = false;
  StandardsCollectionPtr selected_;
  MtiListPtr mtiList_;
  QList<std::weak_ptr<ITestElement>> notified_;
};

}  // namespace host
