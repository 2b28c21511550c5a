// rv1x-host preferences [--screenshot FILE]: loads the plug-in as the host
// does and shows its preferences page in the host's preferences dialog,
// docked as the host docks every plug-in dialog. With --screenshot the
// dialog is drawn offscreen and saved as a PNG instead of being shown.
// Exit status 0; 2 when the plug-in cannot be loaded, gives no dialog, or
// there is no display to show it on; 64 for wrong arguments.

#include <QGuiApplication>
#include <cstdio>

#include "HostProgram.h"
#include "PlugInHost.h"
#include "dialogs/HostDialogWindow.h"
#include "runtime/ErrorHandling.h"
#include "services/ErrorService.h"
#include "typelib/IDialog.h"
#include "typelib/ISetup.h"

namespace hostapp {
namespace {

constexpr int kFailed = 2;
const QString kSource = QStringLiteral("rv1x-host");
// The room the host gives a plug-in's preferences, in twips.
constexpr rt::Long kPageWidth = 7230;
constexpr rt::Long kPageHeight = 4770;

int failed(const char* why) {
  std::fprintf(stderr, "rv1x-host: %s\n", why);
  return kFailed;
}

}  // namespace

int preferencesCommand(const QStringList& arguments, const CommonOptions& options) {
  QString screenshot;
  if (arguments.size() == 2 && arguments.first() == QLatin1String("--screenshot"))
    screenshot = arguments.at(1);
  else if (!arguments.isEmpty())
    return usageOf("preferences");
  if (screenshot.isEmpty() && QGuiApplication::platformName() == QLatin1String("offscreen"))
    return failed("no display to show the preferences on (use --screenshot FILE)");
  return rt::onError(
      [&] {
        const host::IPlugInPtr plugIn = createPlugIn();
        // A template that does not load leaves the settings to edit.
        rt::onError(
            [&] { initializePlugIn(com::must(plugIn), options); },
            [](const rt::RuntimeError& error) { host::errors().ReportError(error, kSource); });
        const host::ISetupPtr setup = plugIn->Setup();
        const host::IDialogPtr page = setup ? setup->CreateDialog() : nullptr;
        if (!page) return failed("the plug-in gives no preferences dialog");
        host::HostDialogWindow window(page, QStringLiteral("Preferences - %1").arg(plugIn->Name()),
                                      host::HostDialogWindow::Buttons::Close,
                                      QSizeF(kPageWidth, kPageHeight));
        if (screenshot.isEmpty()) {
          window.exec();
          return 0;
        }
        if (!window.SavePicture(screenshot)) return failed("the screenshot cannot be written");
        std::printf("screenshot %s\n", qPrintable(screenshot));
        return 0;
      },
      [](const rt::RuntimeError& error) {
        host::errors().ReportError(error, kSource);
        return kFailed;
      });
}

}  // namespace hostapp
