#pragma once
// A program run as a child of the benchmark, measured from outside: its wall
// time, the processor time it used and its peak memory, as the system counts
// them for the child alone.

#include <QString>
#include <QStringList>

namespace bench {

struct ChildRun {
  int status = -1;  // exit status; -1 when it could not run or did not exit
  double wallMs = 0;
  double processorMs = 0;  // user and system time of the child
  double peakMiB = 0;      // its largest resident set
};

// Runs the program with the arguments, its output and errors dropped.
ChildRun runChild(const QString& program, const QStringList& arguments);

// The built rv1x-host and rv1x-bench-bare-qt beside this program, and this
// program itself.
QString hostProgram();
QString bareQtProgram();
QString benchProgram();

}  // namespace bench
