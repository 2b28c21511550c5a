// rv1x-host [--registry FILE] [--template FILE] [--simulate[=OPTIONS]] workbench
//     [--sequence FILE] [--screenshot FILE]
// opens the technician's workbench (workbench/WorkbenchWindow.h) with the
// stored sequence FILE, or with a new sequence of the plug-in's whole
// catalogue. With --screenshot FILE, or without a display, the window is
// drawn offscreen into the PNG FILE (workbench.png without --screenshot)
// once the sequence is loaded, "screenshot FILE" is printed and the program
// ends.
//
// Exit status 0; 2 when the plug-in cannot be loaded, the sequence FILE
// cannot be read or the picture cannot be written (the reason on standard
// error); 64 for wrong arguments.

#include <QApplication>
#include <QGuiApplication>
#include <cstdio>
#include <optional>

#include "HostProgram.h"
#include "PlugInHost.h"
#include "WorkbenchWindow.h"
#include "runtime/ErrorHandling.h"
#include "services/ErrorService.h"
#include "typelib/IPlugIn.h"

namespace hostapp {
namespace {

constexpr int kFailed = 2;
const QString kSource = QStringLiteral("rv1x-host");
const QString kDefaultPicture = QStringLiteral("workbench.png");

struct WorkbenchArguments {
  QString sequence;
  QString screenshot;
};

std::optional<WorkbenchArguments> parse(const QStringList& arguments) {
  WorkbenchArguments parsed;
  for (int i = 0; i < arguments.size(); ++i) {
    QString* value = nullptr;
    if (arguments.at(i) == QLatin1String("--sequence")) value = &parsed.sequence;
    if (arguments.at(i) == QLatin1String("--screenshot")) value = &parsed.screenshot;
    if (!value || i + 1 == arguments.size() || !value->isEmpty()) return std::nullopt;
    *value = arguments.at(++i);
    if (value->isEmpty()) return std::nullopt;
  }
  return parsed;
}

int failed(const QString& why) {
  std::fprintf(stderr, "rv1x-host: %s\n", qPrintable(why));
  return kFailed;
}

int openWorkbench(const WorkbenchArguments& wanted, const CommonOptions& options) {
  const host::IPlugInPtr plugIn = createPlugIn();
  initializePlugIn(com::must(plugIn), options);
  if (!plugIn->Tests()) return kFailed;  // the plug-in has reported why

  workbench::WorkbenchWindow window(plugIn, options);
  if (wanted.sequence.isEmpty())
    window.NewSequence();
  else if (!window.OpenSequence(wanted.sequence))
    return failed(window.Notice());

  QString picture = wanted.screenshot;
  if (picture.isEmpty() && QGuiApplication::platformName() == QLatin1String("offscreen"))
    picture = kDefaultPicture;
  if (!picture.isEmpty()) {
    if (!window.SavePicture(picture))
      return failed(QStringLiteral("the picture %1 cannot be written").arg(picture));
    std::printf("screenshot %s\n", qPrintable(picture));
    return 0;
  }
  window.show();
  return QApplication::exec();
}

}  // namespace

int workbenchCommand(const QStringList& arguments, const CommonOptions& options) {
  const std::optional<WorkbenchArguments> parsed = parse(arguments);
  if (!parsed) return usageOf("workbench");
  return rt::onError([&] { return openWorkbench(*parsed, options); },
                     [](const rt::RuntimeError& error) {
                       host::errors().ReportError(error, kSource);
                       return kFailed;
                     });
}

}  // namespace hostapp
