// A run from the workbench is shown in its window: none of the command
// line's lines reaches the program's standard output or error.

#include <unistd.h>

#include <cstdio>

#include "ScriptedOperator.h"
#include "WorkbenchFixture.h"

namespace workbenchtest {
namespace {

// What the process writes to one of its file descriptors while this lives.
class Captured {
 public:
  explicit Captured(int fd) : fd_(fd), file_(std::tmpfile()) {
    std::fflush(nullptr);
    saved_ = dup(fd_);
    if (file_) dup2(fileno(file_), fd_);
  }
  ~Captured() { Restore(); }
  Captured(const Captured&) = delete;
  Captured& operator=(const Captured&) = delete;

  // Everything written so far; the descriptor is the process's own again.
  QByteArray Text() {
    Restore();
    QByteArray text;
    if (!file_) return text;
    std::rewind(file_);
    char chunk[4096];
    for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, file_)) > 0;)
      text.append(chunk, static_cast<qsizetype>(n));
    return text;
  }

 private:
  void Restore() {
    if (saved_ < 0) return;
    std::fflush(nullptr);
    dup2(saved_, fd_);
    close(saved_);
    saved_ = -1;
  }

  int fd_;
  std::FILE* file_;
  int saved_ = -1;
};

TEST_F(WorkbenchTest, ARunPrintsNoneOfTheCommandLinesLines) {
  std::unique_ptr<WorkbenchWindow> window = openWindow();
  window->NewSequence();
  // Charge time, and the refractory period, which no enabled limit judges.
  selectRows(*window, {1, 2, 4, 5, 6});
  button(*window, "removeTest")->click();
  typeSerial(*window);
  files_ = {QStringLiteral("quiet.xml")};
  analyzer();
  window->Analyzer().SetPort(kPort);
  Captured output(STDOUT_FILENO);
  Captured errors(STDERR_FILENO);
  {
    host::ScriptedOperator person;
    person.setPace(20);
    button(*window, "runAll")->click();
    EXPECT_EQ(person.guidesSeen(), 2);
  }
  const QByteArray printed = output.Text();
  const QByteArray told = errors.Text();
  EXPECT_TRUE(window->Notice().contains(QStringLiteral("Passed: 1, Failed: 0, Not judged: 1")))
      << qPrintable(window->Notice());
  EXPECT_EQ(QString::fromUtf8(printed), QString()) << "the run's lines are the command line's";
  for (const char* line : {"running test", "status=", "not judged", "simulated"})
    EXPECT_FALSE(told.contains(line)) << line << " in: " << told.constData();
}

}  // namespace
}  // namespace workbenchtest
