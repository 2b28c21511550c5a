// rv1x-host edit [--sequence FILE --index K] [--screenshot FILE] TESTID:
// opens the settings editor of a test in the host's dialog, as the host does
// through the configuration's CreateDialog: of a new test of that ID from
// the plug-in's catalogue, with its default settings, or of element K
// (counted from 1) of the stored sequence FILE.
//
// With a display a person edits and closes the dialog. With --sequence, OK
// writes the edited settings into FILE in place of the stored ones, and
// every other byte of FILE stays as it was; OK without a change and Cancel
// write nothing. Without --sequence, OK prints the settings as the host
// stores them. With --screenshot FILE, or without a display, the dialog is
// drawn offscreen into the PNG FILE (edit-TESTID.png without --screenshot)
// and nothing else is written.
//
// Exit status 0; 2 when no test has that ID, the plug-in cannot be loaded,
// FILE cannot be read or is no sequence, it has no element K, element K is
// another test or its settings cannot be read, the test has no settings
// dialog, or FILE or the picture cannot be written (FILE then stays as it
// was), FILE is the registry or the template, or another process has FILE
// (a run, a resave, a window: who, as its lock tells); 64 for wrong
// arguments.

#include <QGuiApplication>
#include <cstdio>
#include <memory>
#include <optional>

#include "DocumentLock.h"
#include "FileRoles.h"
#include "HostProgram.h"
#include "PlugInHost.h"
#include "dialogs/HostDialogWindow.h"
#include "elements/TestName.h"
#include "runtime/ErrorHandling.h"
#include "sequence/StoredElementEdit.h"
#include "services/ErrorService.h"
#include "typelib/IConfigData.h"
#include "typelib/IPlugIn.h"
#include "typelib/ITestElement.h"
#include "xml/XmlDocument.h"

namespace hostapp {
namespace {

constexpr int kFailed = 2;
const QString kSource = QStringLiteral("rv1x-host");

struct EditArguments {
  rt::Long testId = 0;
  QString sequence;
  std::optional<int> index;
  QString screenshot;
};

std::optional<int> wholeNumber(const QString& text) {
  bool ok = false;
  const int value = text.toInt(&ok);
  return ok ? std::optional(value) : std::nullopt;
}

// The command's own arguments, or nothing when they are not as its usage
// gives them.
std::optional<EditArguments> parse(const QStringList& arguments) {
  EditArguments parsed;
  std::optional<int> testId;
  QString index;
  for (int i = 0; i < arguments.size(); ++i) {
    const QString& argument = arguments.at(i);
    QString* value = nullptr;
    if (argument == QLatin1String("--sequence")) value = &parsed.sequence;
    if (argument == QLatin1String("--index")) value = &index;
    if (argument == QLatin1String("--screenshot")) value = &parsed.screenshot;
    if (value) {
      if (i + 1 == arguments.size() || !value->isEmpty()) return std::nullopt;
      *value = arguments.at(++i);
    } else if (testId || !(testId = wholeNumber(argument))) {
      return std::nullopt;
    }
  }
  if (!testId || parsed.sequence.isEmpty() != index.isEmpty()) return std::nullopt;
  parsed.testId = *testId;
  if (!index.isEmpty() && !(parsed.index = wholeNumber(index))) return std::nullopt;
  return parsed;
}

int failed(const QString& why) {
  std::fprintf(stderr, "rv1x-host: %s\n", qPrintable(why));
  return kFailed;
}

// What the host stores of the settings, as text.
QString storedText(host::IConfigData& settings) {
  auto document = std::make_shared<host::XmlDocument>();
  const host::XmlElementPtr element = settings.Save(document);
  if (!element) return QString();
  document->SetDocumentElement(element);
  return document->toString(2);
}

}  // namespace

int editCommand(const QStringList& arguments, const CommonOptions& options) {
  const std::optional<EditArguments> parsed = parse(arguments);
  if (!parsed) return usageOf("edit");
  const EditArguments& wanted = *parsed;
  QString picture = wanted.screenshot;
  if (picture.isEmpty() && QGuiApplication::platformName() == QLatin1String("offscreen"))
    picture = QStringLiteral("edit-%1.png").arg(wanted.testId);

  std::unique_ptr<DocumentLock> lock;
  if (!wanted.sequence.isEmpty()) {
    // The sequence is read and written back in its one role, while no one
    // else writes it.
    const QString clash =
        FileRoles(options)
            .add(role::Sequence, QStringLiteral("--sequence"), wanted.sequence, true)
            .clash();
    if (!clash.isEmpty()) return failed(clash);
    lock = std::make_unique<DocumentLock>(wanted.sequence);
    if (!lock->Take()) return failed(lock->Refusal());
    if (!lock->TakenOver().isEmpty())
      std::fprintf(stderr, "rv1x-host: %s\n", qPrintable(lock->TakenOver()));
  }

  return rt::onError(
      [&] {
        // A stored element is made by its class, as the host loads a
        // sequence; a new test comes from the plug-in's catalogue.
        std::unique_ptr<host::StoredElementEdit> stored;
        host::IPlugInPtr plugIn;
        host::ITestElementPtr test;
        if (wanted.index) {
          stored = std::make_unique<host::StoredElementEdit>(wanted.sequence, *wanted.index);
          test = stored->Element();
          if (test->TestID() != wanted.testId)
            return failed(QStringLiteral("element %1 of %2 is test %3, not test %4")
                              .arg(*wanted.index)
                              .arg(wanted.sequence)
                              .arg(test->TestID())
                              .arg(wanted.testId));
        } else {
          plugIn = createPlugIn();
          initializePlugIn(com::must(plugIn), options);
          test = com::must(plugIn).CreateTest(wanted.testId);
          if (!test)
            return failed(QStringLiteral("the plug-in gives no test %1").arg(wanted.testId));
        }
        const host::IConfigDataPtr settings = test->Configuration();
        const host::IDialogPtr dialog =
            settings && settings->HasDialog() ? settings->CreateDialog() : nullptr;
        if (!dialog)
          return failed(QStringLiteral("test %1 has no settings dialog").arg(wanted.testId));

        host::HostDialogWindow window(
            dialog, QStringLiteral("Settings - %1").arg(host::shownTestName(*test)),
            host::HostDialogWindow::Buttons::OkCancel);
        if (!picture.isEmpty()) {
          if (!window.SavePicture(picture))
            return failed(QStringLiteral("the picture %1 cannot be written").arg(picture));
          std::printf("screenshot %s\n", qPrintable(picture));
          return 0;
        }
        if (window.exec() != QDialog::Accepted) return 0;
        if (!stored) {
          std::printf("%s", qPrintable(storedText(*settings)));
        } else if (window.Changed()) {
          stored->Save();
          std::printf("saved element %d of %s\n", *wanted.index, qPrintable(wanted.sequence));
        } else {
          std::printf("nothing changed: %s is left as it was\n", qPrintable(wanted.sequence));
        }
        return 0;
      },
      [](const rt::RuntimeError& error) {
        host::errors().ReportError(error, kSource);
        return kFailed;
      });
}

}  // namespace hostapp
