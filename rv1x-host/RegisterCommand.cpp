// rv1x-host register [LIBRARY...]: registers component servers into the
// registry store, as an installer would (default: the three deliverables
// and the host's own view controls, all built beside the program).

#include <QFileInfo>
#include <QLibrary>
#include <cstdio>

#include "HostProgram.h"
#include "com/ServerModule.h"
#include "registry/RegistryStore.h"

namespace hostapp {

namespace {
using RegisterServer = std::int32_t (*)();
}  // namespace

int registerCommand(const QStringList& arguments, const CommonOptions&) {
  const QStringList files = arguments.isEmpty() ? builtDeliverables() : arguments;
  int failures = 0;
  const auto failed = [&](const QString& file, std::int32_t status) {
    std::fprintf(stderr, "rv1x-host: %s: registration failed (0x%08X)\n", qPrintable(file),
                 static_cast<unsigned>(status));
    ++failures;
  };
  // Every library's values go into the registry in one write; a library
  // counts as registered once that write is done.
  platform::RegistryStore::Batch batch;
  QList<std::pair<QString, QString>> registered;  // as given, as loaded
  for (const QString& file : files) {
    QLibrary library(QFileInfo(file).absoluteFilePath());
    library.setLoadHints(QLibrary::PreventUnloadHint);
    auto entry = library.load()
                     ? reinterpret_cast<RegisterServer>(library.resolve("DllRegisterServer"))
                     : nullptr;
    if (!entry) {
      std::fprintf(stderr, "rv1x-host: cannot load %s: %s\n", qPrintable(file),
                   qPrintable(library.errorString()));
      ++failures;
      continue;
    }
    const std::int32_t status = entry();
    if (status != com::status::Ok) {
      failed(file, status);
      continue;
    }
    registered.append({file, library.fileName()});
  }
  const bool written = batch.commit();
  for (const auto& [given, loaded] : registered) {
    if (written)
      std::printf("registered %s\n", qPrintable(loaded));
    else
      failed(given, com::status::RegistrationFailed);
  }
  std::printf("registry %s\n", qPrintable(platform::RegistryStore::path()));
  return failures == 0 ? 0 : 1;
}

}  // namespace hostapp
