#pragma once
// rv1x-host run as a technician runs it: the built program, with the
// deliverables registered once into a registry of the suite's own, in a
// working folder of the test's own; and what a results document holds.
// With --simulate the program runs on virtual time (its waits cost no wall
// time), unless a test asks for real time: the end-to-end runs that keep
// the real clock, and a test that watches the program from outside.

#include <gtest/gtest.h>

#include <QDomDocument>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>

#include "TestSupport.h"

namespace hostruntest {

struct ProgramRun {
  int status = -1;
  QString output;
  QString errors;
};

// One test of a results document: its test ID and its result's status
// (-1 for a test without result).
struct StoredTest {
  QString testID;
  int status = -1;
  bool operator==(const StoredTest&) const = default;
};

inline void PrintTo(const StoredTest& test, std::ostream* os) {
  *os << qPrintable(test.testID) << ":" << test.status;
}

class HostRunTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    registry_ = std::make_unique<testsupport::TemporaryRegistry>();
    const testsupport::ProgramOutcome registered =
        testsupport::runHostProgram(registry_->path(), {QStringLiteral("register")});
    ASSERT_EQ(registered.status, 0) << qPrintable(registered.errors);
  }
  static void TearDownTestSuite() { registry_.reset(); }

  // The program of this test runs on real time.
  void onRealTime() { realTime_ = true; }

  // Starts rv1x-host in the test's folder.
  void start(QProcess& process, const QStringList& arguments,
             const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    process.setWorkingDirectory(dir_.path());
    QProcessEnvironment clocked = environment;
    if (!realTime_ && !clocked.contains(kVirtualClock))
      clocked.insert(kVirtualClock, QStringLiteral("1"));
    process.setProcessEnvironment(clocked);
    process.start(testsupport::builtProgram(QStringLiteral("rv1x-host")),
                  QStringList{QStringLiteral("--registry"), registry_->path()} + arguments);
  }

  ProgramRun host(const QStringList& arguments, const QProcessEnvironment& environment =
                                                    QProcessEnvironment::systemEnvironment()) {
    constexpr int kTimeoutMs = 180000;
    QProcess process;
    start(process, arguments, environment);
    if (!process.waitForFinished(kTimeoutMs)) {
      process.kill();
      process.waitForFinished();
      return {};
    }
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
  }

  QString path(const QString& name) const { return dir_.filePath(name); }

  QString writeFile(const QString& name, const QString& text) const {
    QFile file(path(name));
    if (file.open(QIODevice::WriteOnly)) file.write(text.toUtf8());
    return file.fileName();
  }

  // The tests of a results document in their order (the run's record
  // before them is no test).
  QList<StoredTest> storedTests(const QString& name) const {
    QFile file(path(name));
    QDomDocument document;
    if (!file.open(QIODevice::ReadOnly) || !document.setContent(&file)) return {};
    QList<StoredTest> tests;
    const QString entry = QStringLiteral("TestElement");
    for (QDomElement test = document.documentElement().firstChildElement(entry); !test.isNull();
         test = test.nextSiblingElement(entry)) {
      const QDomElement status = test.firstChildElement(QStringLiteral("ResultItem"))
                                     .firstChildElement(QStringLiteral("Status"));
      tests.append({test.attribute(QStringLiteral("TestID")),
                    status.isNull() ? -1 : status.attribute(QStringLiteral("Code")).toInt()});
    }
    return tests;
  }

  QTemporaryDir dir_;

 private:
  static inline const QString kVirtualClock = QStringLiteral("RV1X_VIRTUAL_CLOCK");
  static inline std::unique_ptr<testsupport::TemporaryRegistry> registry_;
  bool realTime_ = false;
};

}  // namespace hostruntest
