#pragma once
// Fixtures shared by the test programs.

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

class QWidget;

#include "runtime/RuntimeError.h"

namespace testsupport {

// The run-time error a call raises (number 0 when it raises none).
rt::RuntimeError raisedBy(const std::function<void()>& call);
// Its number alone.
rt::Long errorOf(const std::function<void()>& call);

// A registry store of its own for one test: RV1X_REGISTRY points at a fresh
// file for the life of the object.
class TemporaryRegistry {
 public:
  TemporaryRegistry();
  ~TemporaryRegistry();
  QString path() const { return path_; }

 private:
  QTemporaryDir dir_;
  QString path_;
  QByteArray previous_;
};

// The library folder of the build, where the deliverables are.
QString buildLibraryDir();
QString builtLibrary(const QString& name);  // "orvanRV1Xvti" -> .../liborvanRV1Xvti.so
QString builtProgram(const QString& name);  // "rv1x-sim" -> .../bin/rv1x-sim

// How long a test waits on a child program before it calls it hung: a
// bound for a hang, far above what the slowest machine takes, never a check
// of speed.
constexpr int kChildWaitMs = 60000;

// What a built program answered: its exit status and what it wrote to
// standard error and standard output. Status -1 when it did not end within
// the time.
struct ProgramOutcome {
  int status = -1;
  QString errors;
  QString output;
};
// Runs the built rv1x-host with the registry store of that path and the
// arguments, as a technician runs it.
ProgramOutcome runHostProgram(const QString& registryPath, const QStringList& arguments,
                              int timeoutMs = kChildWaitMs);

// Registers a component server library into the current registry store;
// true when its DllRegisterServer answered success.
bool registerServer(const QString& libraryFile);

// A pseudo-terminal in raw mode: the master side stays with the test, the
// slave side is the "device" a serial control opens by path. One slave
// descriptor is kept open so the master never sees EIO between opens.
class PseudoTerminal {
 public:
  PseudoTerminal();
  ~PseudoTerminal();
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  bool ok() const { return master_ >= 0; }
  QString slavePath() const { return slavePath_; }
  int master() const { return master_; }

  void write(const QByteArray& bytes);
  // Reads what arrives within the time (ms) or until count bytes are there.
  QByteArray read(int timeoutMs, int count = -1);

 private:
  int master_ = -1;
  int slave_ = -1;
  QString slavePath_;
};

// Saves a picture of the widget as the operator sees it, as <name>.png in
// the build's test-output folder, and prints where; true when it was saved.
bool saveScreenshot(QWidget& widget, const QString& name);

// Lets events run for the given time on the thread's clock.
void runEventsFor(int milliseconds);
// Lets events run until the condition holds or the time (on the thread's
// clock) is over; whether it holds.
bool waitUntil(const std::function<bool()>& condition, int milliseconds);

}  // namespace testsupport
