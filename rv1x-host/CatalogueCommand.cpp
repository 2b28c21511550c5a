// rv1x-host [--template FILE] catalogue: loads the plug-in as the host does
// and prints its test catalogue, one line per test,
//   <ID> <registered name> <name>
// followed by its default standards, indented, as "<alpha name>: <complete
// name>". Exit status 0; 1 when the template held something that was
// reported (a default standard's value that cannot be read); 2 when the
// plug-in cannot be loaded or has no catalogue (the error is reported on
// standard error); 64 for wrong arguments.

#include <algorithm>
#include <cstdio>

#include "HostProgram.h"
#include "PlugInHost.h"
#include "com/RegisteredName.h"
#include "elements/TestInfo.h"
#include "limits/Standard.h"
#include "limits/StandardsCollection.h"
#include "runtime/ErrorHandling.h"
#include "services/ErrorService.h"
#include "typelib/ILimitData.h"
#include "typelib/ITestElement.h"

namespace hostapp {
namespace {

constexpr int kFailed = 2;
const QString kSource = QStringLiteral("rv1x-host");

void printEntry(const host::ITestElementPtr& element) {
  const host::TestInfoPtr info =
      rt::orDefault([&] { return element->Info(); }, host::TestInfoPtr());
  std::printf("%d %s %s\n", com::must(element).TestID(), qPrintable(com::registeredNameOf(element)),
              qPrintable(info ? info->Name() : QString()));
  const host::ILimitDataPtr limits =
      rt::orDefault([&] { return element->Limits(); }, host::ILimitDataPtr());
  const host::StandardsCollectionPtr standards =
      limits ? limits->Standards() : host::StandardsCollectionPtr();
  if (!standards) return;
  for (const host::StandardPtr& standard : *standards)
    std::printf("  %s: %s\n", qPrintable(standard->AlphaName()),
                qPrintable(standard->CompleteName()));
}

}  // namespace

int catalogueCommand(const QStringList& arguments, const CommonOptions& options) {
  if (!arguments.isEmpty()) return usageOf("catalogue");
  // A default standard the template holds that cannot be read is reported
  // and left out; an entry left out is not counted here.
  const auto unreadStandards = [] {
    const QList<host::ErrorEntry> reported = host::errors().reported();
    return std::count_if(reported.begin(), reported.end(), [](const host::ErrorEntry& entry) {
      return entry.number == host::kStandardsLoadError;
    });
  };
  const auto before = unreadStandards();
  return rt::onError(
      [&] {
        const host::IPlugInPtr plugIn = createPlugIn();
        initializePlugIn(com::must(plugIn), options);
        const host::ITestElementListPtr tests = plugIn->Tests();
        if (!tests) return kFailed;  // reported by the plug-in
        for (rt::Long i = 1; i <= tests->Count(); ++i) printEntry(tests->Item(i));
        return unreadStandards() > before ? 1 : 0;
      },
      [](const rt::RuntimeError& error) {
        host::errors().ReportError(error, kSource);
        return kFailed;
      });
}

}  // namespace hostapp
