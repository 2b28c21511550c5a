#include "records/RunContext.h"

#include "limits/Standard.h"
#include "limits/StandardsCollection.h"
#include "records/RunObjects.h"
#include "typelib/ILimitData.h"
#include "typelib/ITestElement.h"

namespace host {

RunContext::RunContext()
    : selected_(std::make_shared<StandardsCollection>()),
      mtiList_(std::make_shared<host::MtiList>()) {}

RunContext::~RunContext() = default;

void RunContext::MayRun(const ITestElementPtr&, bool& mayRun) {
  mayRun = mayRun_;
}

void RunContext::selectOnly(const ITestElementPtr& test, const QString& alphaName,
                            const QString& completeName) {
  const ILimitDataPtr limits = test ? test->Limits() : nullptr;
  const StandardsCollectionPtr own = limits ? limits->Standards() : nullptr;
  const StandardPtr picked = own ? own->Find(0, alphaName, completeName) : nullptr;
  if (!picked) return;
  auto selected = std::make_shared<StandardsCollection>();
  if (selected_) {
    for (const StandardPtr& standard : *selected_)
      if (!own->Find(0, standard->AlphaName(), standard->CompleteName())) selected->Add(standard);
  }
  selected->Add(picked->Copy());
  selected_ = selected;
}

void RunContext::Notify(const ITestElementPtr& test) {
  notified_.append(test);
}

}  // namespace host
