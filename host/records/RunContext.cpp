#include "records/RunContext.h"

#include "limits/StandardsCollection.h"
#include "records/RunObjects.h"

namespace host {

RunContext::RunContext()
    : selected_(std::make_shared<StandardsCollection>()),
      mtiList_(std::make_shared<host::MtiList>()) {}

RunContext::~RunContext() = default;

void RunContext::MayRun(const ITestElementPtr&, bool& mayRun) {
  mayRun = mayRun_;
}

void RunContext::Notify(const ITestElementPtr& test) {
  notified_.append(test);
}

}  // namespace host
