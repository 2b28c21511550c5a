#include "limits/StandardsCollection.h"

#include "report/HostReport.h"

namespace host {

void StandardsCollection::Print(const HostReportPtr&, const StandardsCollectionPtr&, const QVariant&) {}

}  // namespace host
