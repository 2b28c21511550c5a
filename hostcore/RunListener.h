#pragma once
// What a run tells as it goes. The run, the simulated analyzer and the
// simulated bench print nothing themselves: the program that owns the run
// prints these events (rv1x-host run) or shows them (the workbench). Each
// call does nothing unless overridden, so a listener takes only what it
// shows.

#include <QList>
#include <QString>
#include <utility>

#include "typelib/HostTypes.h"

namespace hostapp {

// A test the run performs now.
struct StartedTest {
  int index = 0;  // the element's, in the document
  rt::Long testID = 0;
  QString name;      // its own, else its catalogue's, else the record's
  int position = 0;  // which of the tests the run was given, from 1
  int count = 0;
};

// What a test performed in this run left as its result.
struct TestOutcome {
  rt::Long testID = 0;
  rt::Long status = 0;
  // Each measurement's key with its value as the results document stores it.
  QList<std::pair<QString, QString>> measurements;
};

class RunListener {
 public:
  virtual ~RunListener() = default;

  // The simulated analyzer answers as port N, in-process.
  virtual void SimulatorStarted(int /*port*/) {}
  // The technician's hands at the simulated bench set an output or turned
  // the range switch ("simulated defibrillator: set to 200 J").
  virtual void BenchSet(const QString& /*what*/) {}

  // The run comes to an element of the document, whether it then performs
  // it or not.
  virtual void Reached(int /*index*/) {}
  virtual void Started(const StartedTest& /*test*/) {}
  // A stored element is not run, why (told once per element, and reported
  // to the error service as well).
  virtual void NotRun(int /*index*/, rt::Long /*testID*/, const QString& /*why*/) {}
  virtual void Outcome(const TestOutcome& /*outcome*/) {}
  // A test of this run ended without a verdict, why.
  virtual void NotJudged(rt::Long /*testID*/, const QString& /*reason*/) {}
  // The test got no result of this run and keeps the one the stored
  // sequence brought, measured then (empty when the record has no date).
  virtual void Kept(rt::Long /*testID*/, rt::Long /*status*/, const QString& /*measured*/) {}
  // The run leaves the element, with the status its Perform left (0 after
  // Skip; -1 when it was not performed in this run).
  virtual void Left(int /*index*/, rt::Long /*status*/) {}
};

}  // namespace hostapp
