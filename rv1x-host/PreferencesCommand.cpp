// rv1x-host preferences [--screenshot FILE]: loads the plug-in as the host
// does and shows its preferences page in the host's preferences dialog,
// docked as the host docks every plug-in dialog. With --screenshot the
// dialog is drawn offscreen and saved as a PNG instead of being shown.
// Exit status 0; 2 when the plug-in cannot be loaded, gives no dialog, or
// there is no display to show it on; 64 for wrong arguments.

#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdio>

#include "HostProgram.h"
#include "PlugInHost.h"
#include "records/RunObjects.h"
#include "runtime/ErrorHandling.h"
#include "services/ErrorService.h"
#include "typelib/IDialog.h"
#include "typelib/ISetup.h"
#include "ui/Twips.h"
#include "ui/WindowHandles.h"

namespace hostapp {
namespace {

constexpr int kUsage = 64;
constexpr int kFailed = 2;
const QString kSource = QStringLiteral("rv1x-host");
// The room the host gives a plug-in's preferences, in twips.
constexpr rt::Long kPageWidth = 7230;
constexpr rt::Long kPageHeight = 4770;

int failed(const char* why) {
  std::fprintf(stderr, "rv1x-host: %s\n", why);
  return kFailed;
}

// The host's dialog: the plug-in's page docked above a Close button.
class PreferencesWindow : public QDialog {
 public:
  PreferencesWindow(const host::IDialogPtr& page, const QString& plugInName) : page_(page) {
    setObjectName(QStringLiteral("hostPreferences"));
    setWindowTitle(QStringLiteral("Preferences - %1").arg(plugInName));
    auto* layout = new QVBoxLayout(this);
    dock_ = new QWidget(this);
    dock_->setObjectName(QStringLiteral("hostDock"));
    dock_->setFixedSize(ui::toPixels(kPageWidth), ui::toPixels(kPageHeight));
    layout->addWidget(dock_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    page_->SetCallBack(std::make_shared<host::DefaultCallBack>());
    page_->Dock(ui::handleOf(dock_));
    page_->Move(0, 0, kPageWidth, kPageHeight);
    page_->Show(0);
  }
  ~PreferencesWindow() override {
    rt::ignoreErrors([&] { page_->Unload(); });
  }

 private:
  host::IDialogPtr page_;
  QWidget* dock_ = nullptr;
};

int preferences(const QStringList& arguments, const CommonOptions& options) {
  QString screenshot;
  if (arguments.size() == 2 && arguments.first() == QLatin1String("--screenshot"))
    screenshot = arguments.at(1);
  else if (!arguments.isEmpty()) {
    std::fprintf(stderr, "usage: rv1x-host preferences [--screenshot FILE]\n");
    return kUsage;
  }
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
        PreferencesWindow window(page, plugIn->Name());
        if (screenshot.isEmpty()) {
          window.exec();
          return 0;
        }
        window.show();
        QCoreApplication::processEvents();
        if (!window.grab().save(screenshot)) return failed("the screenshot cannot be written");
        std::printf("screenshot %s\n", qPrintable(screenshot));
        return 0;
      },
      [](const rt::RuntimeError& error) {
        host::errors().ReportError(error, kSource);
        return kFailed;
      });
}

const CommandRegistration registration(QStringLiteral("preferences"),
                                       QStringLiteral("preferences [--screenshot FILE]"),
                                       preferences);

}  // namespace
}  // namespace hostapp
