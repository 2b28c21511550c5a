// Every file rv1x-host writes is whole and its own: on a disk that fills up
// each writer fails and keeps the old file, a program killed while it
// writes leaves the old file whole, no output lands on an input through a
// link, and one results document has one writer at a time.

#include <unistd.h>

#include <QCoreApplication>
#include <QDomDocument>
#include <QLockFile>
#include <QSysInfo>

#include "HostRunFixture.h"
#include "SmallFileSystem.h"

namespace hostruntest {
namespace {

using testsupport::SmallFileSystem;

// Long enough that every document of the record (results, report, export)
// is larger than a piece the writer writes at once, and than the small
// file system's file.
const QString kTechnician = QString(5000, u't');

class WrittenFiles : public HostRunTest {
 protected:
  // The record of a run of test 100, as good.xml.
  void SetUp() override {
    const ProgramRun run =
        host({QStringLiteral("--unattended"), QStringLiteral("--simulate"), QStringLiteral("run"),
              QStringLiteral("--tests"), QStringLiteral("100"), QStringLiteral("--technician"),
              kTechnician, QStringLiteral("--results"), QStringLiteral("good.xml"),
              QStringLiteral("1")});
    ASSERT_EQ(run.status, 0) << qPrintable(run.errors);
  }

  struct Outcome {
    bool crashed = false;
    int status = -1;
    QString output;
    QString errors;
  };

  // rv1x-host on the small file system (its limit on the program), or
  // with that environment.
  Outcome run(const QStringList& arguments, const SmallFileSystem* small = nullptr,
              const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    if (small) small->limit(process);
    start(process, arguments, environment);
    if (!process.waitForFinished(180000)) {
      process.kill();
      process.waitForFinished();
      return {};
    }
    return {process.exitStatus() == QProcess::CrashExit, process.exitCode(),
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
  }

  static QByteArray bytesOf(const QString& file) {
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
  }
  static void put(const QString& file, const QByteArray& bytes) {
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(out.write(bytes), bytes.size());
  }
  static bool wellFormed(const QString& file) {
    QDomDocument document;
    return document.setContent(bytesOf(file));
  }
};

TEST_F(WrittenFiles, EachWriterOnAFullDiskFailsAndKeepsTheOldFile) {
  // A file of one page fits; none that the commands write does.
  SmallFileSystem small(8 * 1024);
  const QByteArray kept = "an earlier version, whole";
  const struct {
    const char* command;
    const char* out;
  } cases[] = {{"resave", "out.xml"}, {"report", "out.pdf"}, {"export", "out.csv"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    const QString out = small.filePath(QLatin1String(c.out));
    put(out, kept);
    const Outcome written =
        run({QLatin1String(c.command), QStringLiteral("good.xml"), out}, &small);
    EXPECT_FALSE(written.crashed);
    EXPECT_EQ(written.status, 2) << qPrintable(written.errors);
    EXPECT_TRUE(written.errors.contains(out)) << qPrintable(written.errors);
    EXPECT_EQ(bytesOf(out), kept);
    EXPECT_EQ(QDir(small.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QLatin1String(c.out)})
        << "nothing is left of the new file";
    QFile::remove(out);
  }
}

TEST_F(WrittenFiles, ARunWhoseRecordNoLongerFitsKeepsItsLastWholeRecordAndPrintsNoReport) {
  // With the long device model the record before the first test fits, and
  // none after it does.
  SmallFileSystem small(8 * 1024);
  const QString results = small.filePath(QStringLiteral("r.xml"));
  const Outcome outcome =
      run({QStringLiteral("--unattended"), QStringLiteral("--simulate"), QStringLiteral("run"),
           QStringLiteral("--tests"), QStringLiteral("100,700"), QStringLiteral("--device-model"),
           QString(1500, u'm'), QStringLiteral("--results"), results, QStringLiteral("--report"),
           path(QStringLiteral("r.pdf")), QStringLiteral("1")},
          &small);
  EXPECT_FALSE(outcome.crashed);
  EXPECT_EQ(outcome.status, 1) << qPrintable(outcome.errors);
  EXPECT_FALSE(outcome.output.contains(QStringLiteral("results "))) << qPrintable(outcome.output);
  EXPECT_FALSE(outcome.output.contains(QStringLiteral("report "))) << qPrintable(outcome.output);
  EXPECT_TRUE(outcome.errors.contains(
      QStringLiteral("the results document %1 could not be written to the end of the run: it "
                     "keeps the record as written before the first test; no report is written")
          .arg(results)))
      << qPrintable(outcome.errors);
  EXPECT_FALSE(QFile::exists(path(QStringLiteral("r.pdf"))));
  EXPECT_TRUE(wellFormed(results));
}

TEST_F(WrittenFiles, AProgramKilledWhileItWritesLeavesTheOldFileWhole) {
  ASSERT_EQ(host({QStringLiteral("report"), QStringLiteral("good.xml"), QStringLiteral("out.pdf")})
                .status,
            0);
  ASSERT_EQ(host({QStringLiteral("resave"), QStringLiteral("good.xml"), QStringLiteral("out.xml")})
                .status,
            0);
  for (const char* out : {"out.pdf", "out.xml"}) {
    SCOPED_TRACE(out);
    const QString file = path(QLatin1String(out));
    const QByteArray before = bytesOf(file);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Killed after the first piece of the new file, before the next.
    environment.insert(QStringLiteral("RV1X_WRITE_KILL"),
                       QLatin1String(out) + QStringLiteral(":1"));
    const Outcome killed =
        run({QLatin1String(QByteArray(out).endsWith(".pdf") ? "report" : "resave"),
             QStringLiteral("good.xml"), file},
            nullptr, environment);
    EXPECT_TRUE(killed.crashed) << qPrintable(killed.errors);
    EXPECT_EQ(bytesOf(file), before);
  }
}

TEST_F(WrittenFiles, NoOutputLandsOnAnInputThroughALink) {
  const QString operatorFile =
      writeFile(QStringLiteral("operator.txt"), QStringLiteral("100 ok\n"));
  const QString templateFile = path(QStringLiteral("template.mpc"));
  ASSERT_TRUE(
      QFile::copy(testsupport::buildLibraryDir() + QStringLiteral("/orvanRV1X.mpc"), templateFile));
  const QString registry = writeFile(QStringLiteral("registry.ini"), QStringLiteral("[HKLM]\n"));
  const QStringList withTemplate{QStringLiteral("--template"), templateFile};
  const QStringList withRegistry{QStringLiteral("--registry"), registry};
  const auto runWith = [](const QStringList& options) {
    return QStringList{QStringLiteral("--unattended"), QStringLiteral("--simulate"),
                       QStringLiteral("run"), QStringLiteral("--tests"), QStringLiteral("100")} +
           options + QStringList{QStringLiteral("1")};
  };
  const struct {
    const char* what;
    QString input;  // the file the output links to
    QStringList arguments;
    QString inputRole, outputRole;
  } cases[] = {
      {"report on the record",
       path(QStringLiteral("good.xml")),
       {QStringLiteral("report"), QStringLiteral("good.xml"), QStringLiteral("link")},
       QStringLiteral("sequence document"),
       QStringLiteral("report")},
      {"export on the template", templateFile,
       withTemplate + QStringList{QStringLiteral("export"), QStringLiteral("good.xml"),
                                  QStringLiteral("link")},
       QStringLiteral("template"), QStringLiteral("export")},
      {"resave on the registry", registry,
       withRegistry + QStringList{QStringLiteral("resave"), QStringLiteral("good.xml"),
                                  QStringLiteral("link")},
       QStringLiteral("registry"), QStringLiteral("sequence document")},
      {"--report on the operator file", operatorFile,
       runWith({QStringLiteral("--operator"), operatorFile, QStringLiteral("--report"),
                QStringLiteral("link")}),
       QStringLiteral("operator file"), QStringLiteral("report")},
      {"--report on the template", templateFile,
       withTemplate + runWith({QStringLiteral("--report"), QStringLiteral("link")}),
       QStringLiteral("template"), QStringLiteral("report")},
      {"--report on the registry", registry,
       withRegistry + runWith({QStringLiteral("--report"), QStringLiteral("link")}),
       QStringLiteral("registry"), QStringLiteral("report")},
      {"--report on the stored sequence",
       path(QStringLiteral("good.xml")),
       {QStringLiteral("--unattended"), QStringLiteral("--simulate"), QStringLiteral("run"),
        QStringLiteral("--sequence"), QStringLiteral("good.xml"), QStringLiteral("--results"),
        QStringLiteral("again.xml"), QStringLiteral("--report"), QStringLiteral("link"),
        QStringLiteral("1")},
       QStringLiteral("sequence document"),
       QStringLiteral("report")},
      {"edit of the registry", registry,
       withRegistry + QStringList{QStringLiteral("edit"), QStringLiteral("--sequence"),
                                  QStringLiteral("link"), QStringLiteral("--index"),
                                  QStringLiteral("1"), QStringLiteral("100")},
       QStringLiteral("registry"), QStringLiteral("sequence document")},
  };
  for (const auto& c : cases) {
    for (const bool hard : {true, false}) {
      SCOPED_TRACE(std::string(c.what) + (hard ? ", hard link" : ", symbolic link"));
      const QString link = path(QStringLiteral("link"));
      QFile::remove(link);
      const QByteArray before = bytesOf(c.input);
      ASSERT_TRUE(hard ? ::link(QFile::encodeName(c.input).constData(),
                                QFile::encodeName(link).constData()) == 0
                       : QFile::link(c.input, link));
      const Outcome refused = run(c.arguments);
      EXPECT_EQ(refused.status, 2) << qPrintable(refused.errors);
      EXPECT_TRUE(refused.errors.contains(QStringLiteral("is the ") + c.inputRole))
          << qPrintable(refused.errors);
      EXPECT_TRUE(refused.errors.contains(c.outputRole)) << qPrintable(refused.errors);
      EXPECT_EQ(bytesOf(c.input), before);
      EXPECT_TRUE(refused.output.isEmpty()) << qPrintable(refused.output);
    }
  }
}

TEST_F(WrittenFiles, OneResultsDocumentHasOneWriterAtATime) {
  const QString shared = path(QStringLiteral("shared.xml"));
  put(shared, bytesOf(path(QStringLiteral("good.xml"))));
  const QByteArray before = bytesOf(shared);
  const QString lockFile = QFileInfo(shared).canonicalFilePath() + QStringLiteral(".lock");
  {
    // Held by a process that lives: this one.
    QLockFile held(lockFile);
    ASSERT_TRUE(held.tryLock(0));
    const QString holder = QStringLiteral("%1 is in use by process %2")
                               .arg(shared)
                               .arg(QCoreApplication::applicationPid());
    const QStringList commands[] = {
        {QStringLiteral("--unattended"), QStringLiteral("--simulate"), QStringLiteral("run"),
         QStringLiteral("--tests"), QStringLiteral("100"), QStringLiteral("--results"), shared,
         QStringLiteral("--overwrite"), QStringLiteral("1")},
        {QStringLiteral("--unattended"), QStringLiteral("--simulate"), QStringLiteral("run"),
         QStringLiteral("--sequence"), shared, QStringLiteral("--results"), shared,
         QStringLiteral("1")},
        {QStringLiteral("resave"), QStringLiteral("good.xml"), shared},
        {QStringLiteral("edit"), QStringLiteral("--sequence"), shared, QStringLiteral("--index"),
         QStringLiteral("1"), QStringLiteral("100")},
    };
    for (const QStringList& command : commands) {
      SCOPED_TRACE(qPrintable(command.join(u' ')));
      const Outcome refused = run(command);
      EXPECT_EQ(refused.status, 2) << qPrintable(refused.errors);
      EXPECT_TRUE(refused.errors.contains(holder)) << qPrintable(refused.errors);
      EXPECT_TRUE(refused.errors.contains(QSysInfo::machineHostName()));
      EXPECT_TRUE(refused.output.isEmpty()) << qPrintable(refused.output);
      EXPECT_EQ(bytesOf(shared), before);
    }
  }
  // Left by a process that has ended: taken over, and said so.
  QProcess ended;
  ended.start(QStringLiteral("sleep"), {QStringLiteral("0.1")});
  ASSERT_TRUE(ended.waitForStarted());
  const qint64 deadPid = ended.processId();
  ASSERT_TRUE(ended.waitForFinished());
  put(lockFile,
      QStringLiteral("%1\nrv1x-host\n%2\n").arg(deadPid).arg(QSysInfo::machineHostName()).toUtf8());
  const Outcome taken = run({QStringLiteral("resave"), QStringLiteral("good.xml"), shared});
  EXPECT_EQ(taken.status, 0) << qPrintable(taken.errors);
  EXPECT_TRUE(taken.errors.contains(QStringLiteral("which has ended: its lock is taken over")))
      << qPrintable(taken.errors);
  EXPECT_FALSE(QFile::exists(lockFile)) << "let go at the end";
}

}  // namespace
}  // namespace hostruntest
