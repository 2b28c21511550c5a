#pragma once
// What the host tells a guide window: its caption for a test, and whether
// the operator really wants to abort (a question the operator answers).

#include "typelib/HostTypes.h"

namespace host {

class TestGuideService : public virtual com::Object {
 public:
  ~TestGuideService() override;
  static std::shared_ptr<TestGuideService> instance();

  // "Test Guide - <name>": the test's info name, else its parameter, else
  // "Test <test ID>"; "Test Guide" for no test.
  virtual void GetCaption(const ITestElementPtr& test, QString& text);
  // Asks "Do you want to abort the test sequence?"; True for Yes.
  virtual void ConfirmAbort(bool& confirmed);

  // In the operator's language.
  static QString caption();
  static QString abortQuestion();
};

}  // namespace host
