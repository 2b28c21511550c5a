#pragma once
// What the host's scripted operator does in each guide window: one line per
// test, "#" starts a comment, the test ID first, then words:
//
//   actions, done in order (a line with any action is done as written):
//     play, stop, next, previous, skip, na     press that toolbar button
//     abort                                    press Abort, confirm with Yes
//     press=<button id>                        press any toolbar button
//     wait-run                                 until the run has ended
//     wait-stored                              until the result holds a value
//     wait=<seconds>                           let time pass
//     verdict[=pass|fail]                      judge the result row (pass,
//                                              or the line's pass/fail)
//     click=<row>,<column>[,right]             click a cell of the result view
//                                              (rows from 0, columns from 1)
//     answer=<ok|cancel|abort|retry|ignore|yes|no>  answer the next message box
//     tab=<index>                              pick a tab of the content pane
//     mti=<type>,<serial>,<firmware>           fill in the analyzer identity
//     standard=<alpha name>                    pick that standard in the
//                                              toolbar's standard box (the one
//                                              the test is judged by); before
//                                              the plan's first action
// Words are separated by blanks; a stretch in double quotes keeps its
// blanks (standard="IEC 60601-2-4").
//   settings, which change the default plan when the line has no action:
//     pass, fail                               the verdict the plan gives
//     answers=S,N,...                          shock (S) or no shock (N) for
//                                              each step, given while it runs
//     stop-after=<seconds>                     press Stop that long after Play
//
// The verdict words (pass, fail, verdict, verdict=) belong to test 600
// only, answers= to test 700 only: elsewhere they would do nothing.
//
// The default plan presses Play, waits until the run ends, gives the
// verdicts the run asks for and presses Next: test 500 (a run that goes on
// until it is stopped) is stopped once its result holds a value; test 600
// is judged "pass" after its run; test 700 answers each step as its preset
// expects while it runs. A test ID met again (Previous, a repeated test)
// takes its next line; without one, the default plan.

#include <QList>
#include <QMap>
#include <QStringList>
#include <optional>

#include "runtime/Types.h"

namespace host {

struct OperatorStep {
  enum Kind { Press, WaitRun, WaitStored, Wait, Verdict, Click, Answer, Tab, Identity, Standard };
  Kind kind = Press;
  QString word;          // as the line wrote it, for the log
  rt::Long button = 0;   // Press
  int milliseconds = 0;  // Wait
  int row = 0;           // Click
  int column = 0;        // Click; Tab: the tab index
  bool rightButton = false;
  int answer = 0;             // Answer: a message-box answer (ui::mb)
  QStringList identity = {};  // Identity: type, serial, firmware
  QString standard = {};      // Standard: its alpha name
};

struct OperatorPlan {
  QList<OperatorStep> steps;
  bool verdictPass = true;
  // Shock answers per step while a run goes on; none given: the presets'
  // when answerPresets is set.
  std::optional<QList<bool>> answers;
  bool answerPresets = false;
};

// What one line of a script says, as its words are read in turn.
struct OperatorLine {
  QList<OperatorStep> actions;
  QList<OperatorStep> settings;  // mti=, standard=: kept in the plan's front
  std::optional<bool> verdict;
  std::optional<QList<bool>> answers;
  std::optional<int> stopAfter;
  int number = 0;          // the line's number in the script, from 1
  QStringList names = {};  // each word's name, lower case, as written
};

// What a script means for one run: the errors that keep it from applying
// at all, each naming its line, and the notices of what it leaves out.
struct OperatorFit {
  QStringList errors;
  QStringList notices;
};

class OperatorScript {
 public:
  // Error 5 naming the line for a word the script does not know.
  static OperatorScript Parse(const QString& text);
  // The file's errors (53, 52..76) or Parse's.
  static OperatorScript Read(const QString& path);

  // Fits the script to a run of the catalogue's tests: a line for a test
  // the catalogue lacks, or with a word its test never takes, is an error;
  // the lines for tests of the catalogue the run does not include are
  // dropped, each with a notice, so that one script serves runs of
  // different tests.
  OperatorFit FitTo(const QList<rt::Long>& catalogue, const QList<rt::Long>& run);

  // The plan for the pass-th guide (from 0) of that test.
  OperatorPlan PlanFor(rt::Long testID, int pass) const;
  static OperatorPlan DefaultPlan(rt::Long testID);

 private:
  // Each word by the table of words (OperatorScript.cpp).
  static OperatorLine ParseLine(const QStringList& words, int number);
  QMap<rt::Long, QList<OperatorLine>> lines_;
};

}  // namespace host
