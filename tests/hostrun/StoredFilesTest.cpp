// Stored files read and written back by rv1x-host (resave, report, run
// --sequence, catalogue): what the host does not understand or cannot keep
// is reported and written back as stored, and a file that is not
// well-formed is refused with nothing written.

#include <QRegularExpression>

#include "HostRunFixture.h"

namespace hostruntest {
namespace {

// A charge-time test as the host writes it, small.
const QString kResult = QStringLiteral(
    "<ResultItem><Status Code=\"1\"/>"
    "<Measurement Key=\"ENGY\"><Description>20012::Energy</Description>"
    "<Value Type=\"1\" Kind=\"Double\">360</Value><Unit>J</Unit><Status Code=\"1\"/></Measurement>"
    "<Measurement Key=\"CHTI\"><Description>20011::Charge time</Description>"
    "<Value Type=\"1\" Kind=\"Double\">4.2</Value><Unit>s</Unit><Status Code=\"1\"/></Measurement>"
    "</ResultItem>");
const QString kSettings = QStringLiteral(
    "<PlugInData PlugIn=\"RV-1X\"><PresetEnergy>360</PresetEnergy><AutoPlayback>False"
    "</AutoPlayback><TestGuideSettings ButtonMask=\"11\"/></PlugInData>");
const QString kLimits = QStringLiteral(
    "<ExpectedResult><Standard AlphaName=\"IEC\" CompleteName=\"IEC 60601-2-4\" Flags=\"1\">"
    "<Limit Key=\"CHTI\" Unit=\"s\" High=\"15\" HighEnabled=\"True\" Low=\"0\" "
    "LowEnabled=\"False\"/></Standard></ExpectedResult>");
const QString kInfo = QStringLiteral("<Info Name=\"Charge time test\"/>");
// Limits written by hand that would judge the charge time of 4.2 s as
// passed by a bound nobody gave: an enabled bound without a number, and a
// second standard of the same names that fails it.
const QString kLimitsWithoutBound = QStringLiteral(
    "<ExpectedResult><Standard AlphaName=\"IEC\" CompleteName=\"IEC 60601-2-4\" Flags=\"1\">"
    "<Limit Key=\"CHTI\" Unit=\"s\" High=\"15\" HighEnabled=\"False\" Low=\"\" "
    "LowEnabled=\"True\"/></Standard></ExpectedResult>");
const QString kLimitsStandardTwice = QString(kLimits).replace(
    QStringLiteral("</ExpectedResult>"),
    QStringLiteral("<Standard AlphaName=\"IEC\" CompleteName=\"IEC 60601-2-4\" Flags=\"1\">"
                   "<Limit Key=\"CHTI\" Unit=\"s\" High=\"1\" HighEnabled=\"True\" Low=\"0\" "
                   "LowEnabled=\"False\"/></Standard></ExpectedResult>"));

QString sequenceOf(const QString& parts, const QString& rootAttributes = QString(),
                   const QString& elementAttributes = QString()) {
  return QStringLiteral(
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<TestSequence%1>\n"
             "<TestElement ClassName=\"RV1XTests.CTestChargeTime\" TestID=\"100\" ID=\"1\"%2>"
             "%3</TestElement>\n</TestSequence>\n")
      .arg(rootAttributes, elementAttributes, parts);
}

QString replaced(QString text, const QString& what, const QString& by) {
  return text.replace(what, by);
}

QString nested(int depth) {
  return QStringLiteral("<Note>").repeated(depth) + QStringLiteral("</Note>").repeated(depth);
}

TEST_F(HostRunTest, ResaveKeepsWhatItCannotWriteAnewAndRefusesWhatIsNotXml) {
  const QString whole = kInfo + kSettings + kLimits + kResult;
  const QString result361 = replaced(kResult, QStringLiteral(">360<"), QStringLiteral(">361<"));
  const QString chti = QStringLiteral("<Value Type=\"1\" Kind=\"Double\">4.2</Value>");
  const auto withValue = [&](const QString& value) {
    return sequenceOf(kInfo + kSettings + kLimits + replaced(kResult, chti, value));
  };
  const struct {
    const char* what;
    QString document;
    int status;
    const char* told;  // in the report on standard error
    QStringList kept;  // in the document written, in this order
  } cases[] = {
      {"as the host writes it", sequenceOf(whole), 0, nullptr, {}},
      // Parts twice: which one counts cannot be told.
      {"a result twice",
       sequenceOf(whole + result361),
       1,
       "holds <ResultItem> twice",
       {">360<", ">361<"}},
      {"settings twice",
       sequenceOf(whole + replaced(kSettings, QStringLiteral("360<"), QStringLiteral("120<"))),
       1,
       "holds <PlugInData> twice",
       {">360<", ">120<"}},
      {"limits twice", sequenceOf(whole + kLimits), 1, "holds <ExpectedResult> twice", {}},
      {"a run outcome twice",
       sequenceOf(whole + QStringLiteral("<RunOutcome>Skipped</RunOutcome>"
                                         "<RunOutcome>Aborted</RunOutcome>")),
       1,
       "holds <RunOutcome> twice",
       {">Skipped<", ">Aborted<"}},
      {"a choice of standard holding more than its names",
       sequenceOf(whole + QStringLiteral("<Selected AlphaName=\"IEC\" "
                                         "CompleteName=\"IEC 60601-2-4\" Note=\"ward\"/>")),
       1,
       "holds more than the names of a standard",
       {"Note=\"ward\""}},
      {"the info twice",
       sequenceOf(whole + QStringLiteral("<Info Name=\"Other\"/>")),
       1,
       "holds <Info> twice",
       {"Name=\"Charge time test\"", "Name=\"Other\""}},
      {"a measurement twice",
       sequenceOf(
           kInfo + kSettings + kLimits +
           replaced(kResult, QStringLiteral("</ResultItem>"),
                    result361.mid(result361.indexOf(QStringLiteral("<Measurement")),
                                  result361.indexOf(QStringLiteral("<Measurement Key=\"CHTI")) -
                                      result361.indexOf(QStringLiteral("<Measurement"))) +
                        QStringLiteral("</ResultItem>"))),
       1,
       "more than once",
       {">360<", ">361<"}},
      // Limits that cannot say what judges the test.
      {"an enabled bound without a value",
       sequenceOf(kInfo + kSettings + kLimitsWithoutBound + kResult),
       1,
       "Low is enabled but holds no value",
       {"Low=\"\" LowEnabled=\"True\""}},
      {"a standard twice under the same names",
       sequenceOf(kInfo + kSettings + kLimitsStandardTwice + kResult),
       1,
       "is there twice",
       {"High=\"15\"", "High=\"1\""}},
      // What the host does not know, in place.
      {"comments around and between the parts",
       replaced(
           replaced(sequenceOf(kInfo + kSettings + QStringLiteral("<!-- between -->") + kLimits +
                               kResult),
                    QStringLiteral("<TestElement"), QStringLiteral("<!-- first --><TestElement")),
           QStringLiteral("?>\n"), QStringLiteral("?>\n<!-- before -->\n")) +
           QStringLiteral("<!-- after -->\n"),
       0,
       nullptr,
       {"<!-- before -->", "<!-- first -->", "</PlugInData>", "<!-- between -->", "<ExpectedResult",
        "<!-- after -->"}},
      {"an ID written with a leading zero",
       replaced(sequenceOf(whole), QStringLiteral("ID=\"1\""), QStringLiteral("ID=\"01\"")),
       0,
       nullptr,
       {"ID=\"01\""}},
      {"attributes of the sequence and of the element",
       sequenceOf(whole, " Site=\"Ward 3\"", " Operator=\"JS\""),
       0,
       nullptr,
       {"Site=\"Ward 3\"", "Operator=\"JS\""}},
      {"a child of the element between its parts",
       sequenceOf(kInfo + kSettings + QStringLiteral("<Calibration Bench=\"3\"/>") + kLimits +
                  kResult),
       1,
       "<Calibration> (line 3) is no part of a test element",
       {"</PlugInData>", "<Calibration Bench=\"3\"/>", "<ExpectedResult"}},
      {"an attribute of the settings",
       sequenceOf(kInfo +
                  replaced(kSettings, QStringLiteral("PlugIn=\"RV-1X\""),
                           QStringLiteral("PlugIn=\"RV-1X\" Bench=\"3\"")) +
                  kLimits + kResult),
       1,
       "the attribute Bench=\"3\" would not be written",
       {"Bench=\"3\""}},
      {"an attribute of the result",
       sequenceOf(kInfo + kSettings + kLimits +
                  replaced(kResult, QStringLiteral("<ResultItem>"),
                           QStringLiteral("<ResultItem Checked=\"JS\">"))),
       1,
       "<ResultItem> is written back as stored",
       {"Checked=\"JS\""}},
      {"an attribute of a measurement",
       sequenceOf(kInfo + kSettings + kLimits +
                  replaced(kResult, QStringLiteral("Key=\"CHTI\""),
                           QStringLiteral("Key=\"CHTI\" Probe=\"2\""))),
       1,
       "Probe=\"2\" would not be written",
       {"Probe=\"2\""}},
      {"a child of the settings",
       sequenceOf(kInfo +
                  replaced(kSettings, QStringLiteral("<TestGuideSettings"),
                           QStringLiteral("<Paddles>adult</Paddles><TestGuideSettings")) +
                  kLimits + kResult),
       1,
       "<Paddles> (line 3) would not be written",
       {"<Paddles>adult</Paddles>"}},
      {"a comment in the result",
       sequenceOf(kInfo + kSettings + kLimits +
                  replaced(kResult, QStringLiteral("<Status Code=\"1\"/><Measurement Key=\"ENGY"),
                           QStringLiteral("<Status Code=\"1\"/><!-- re-read --><Measurement "
                                          "Key=\"ENGY"))),
       1,
       "the comment \"re-read\" would not be written",
       {"<!-- re-read -->"}},
      // A status that cannot be read keeps the measurements.
      {"no status",
       sequenceOf(kInfo + kSettings + kLimits +
                  replaced(kResult, QStringLiteral("<ResultItem><Status Code=\"1\"/>"),
                           QStringLiteral("<ResultItem>"))),
       1,
       "status could not be read",
       {">360<", ">4.2<"}},
      {"a status that is no number",
       sequenceOf(kInfo + kSettings + kLimits +
                  replaced(kResult, QStringLiteral("<ResultItem><Status Code=\"1\"/>"),
                           QStringLiteral("<ResultItem><Status Code=\"failed\"/>"))),
       1,
       "status could not be read",
       {"Code=\"failed\"", ">4.2<"}},
      {"an empty status",
       sequenceOf(kInfo + kSettings + kLimits +
                  replaced(kResult, QStringLiteral("<ResultItem><Status Code=\"1\"/>"),
                           QStringLiteral("<ResultItem><Status/>"))),
       1,
       "status could not be read",
       {">4.2<"}},
      // Values that would not read back as they were written.
      {"a single beyond its range",
       withValue("<Value Type=\"1\" Kind=\"Single\">4e38</Value>"),
       1,
       "the text \"4e38\" would not be written",
       {">4e38<"}},
      {"an empty single",
       withValue("<Value Type=\"1\" Kind=\"Single\"></Value>"),
       1,
       "Kind=\"Single\" would be written \"Empty\"",
       {"Kind=\"Single\""}},
      {"not a number",
       withValue("<Value Type=\"1\" Kind=\"Double\">NaN</Value>"),
       1,
       "\"NaN\"",
       {">NaN<"}},
      {"a word",
       withValue("<Value Type=\"1\" Kind=\"Double\">open</Value>"),
       1,
       "the text \"open\" would not be written",
       {">open<"}},
      {"a decimal comma",
       withValue("<Value Type=\"1\" Kind=\"Double\">0,87</Value>"),
       1,
       "the text \"0,87\" would not be written",
       {">0,87<"}},
      {"a flag in lower case",
       sequenceOf(kInfo + replaced(kSettings, QStringLiteral(">False<"), QStringLiteral(">true<")) +
                  kLimits + kResult),
       1,
       "the text \"true\" would be written \"False\"",
       {">true<"}},
      // Not well-formed, or nested beyond reason: refused, nothing written.
      {"an attribute name XML does not allow",
       sequenceOf(whole + QStringLiteral("<CalibrationNote Be~nch=\"3\"/>")),
       2,
       "\"Be~nch\" is no XML attribute name",
       {}},
      {"5000 deep", sequenceOf(whole + nested(5000)), 2, "nested deeper than 256", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const QString in = writeFile(QStringLiteral("in.xml"), c.document);
    const QString out = path(QStringLiteral("out.xml"));
    QFile::remove(out);
    const ProgramRun run = host({QStringLiteral("resave"), in, out});
    EXPECT_EQ(run.status, c.status) << qPrintable(run.errors);
    if (c.told)
      EXPECT_TRUE(run.errors.contains(QLatin1String(c.told))) << qPrintable(run.errors);
    else
      EXPECT_FALSE(run.errors.contains(QStringLiteral("error: "))) << qPrintable(run.errors);
    QFile written(out);
    EXPECT_EQ(written.exists(), c.status != 2);
    if (!written.open(QIODevice::ReadOnly)) continue;
    const QString text = QString::fromUtf8(written.readAll());
    qsizetype at = 0;
    for (const QString& kept : c.kept) {
      const qsizetype found = text.indexOf(kept, at);
      EXPECT_GE(found, 0) << qPrintable(kept) << "\n" << qPrintable(text);
      if (found >= 0) at = found + kept.size();
    }
    // What it writes, it reads back the same way.
    const QString again = path(QStringLiteral("again.xml"));
    EXPECT_EQ(host({QStringLiteral("resave"), out, again}).status, c.status);
  }
}

TEST_F(HostRunTest, ARunNeverJudgesByLimitsItCannotRead) {
  const struct {
    QString limits;
    const char* kept;  // what only the stored limits hold
  } cases[] = {
      {kLimitsWithoutBound, "Low=\"\" LowEnabled=\"True\""},
      {kLimitsStandardTwice, "High=\"1\" HighEnabled=\"True\""},
      // A standard chosen for the test that its limits lack.
      {kLimits + QStringLiteral("<Selected AlphaName=\"IEC\" CompleteName=\"IEC 60601-2-4\"/>"
                                "<Selected AlphaName=\"Ward\" CompleteName=\"At most 5 s\"/>"),
       "<Selected AlphaName=\"Ward\" CompleteName=\"At most 5 s\"/>"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(qPrintable(c.limits));
    const QString stored =
        writeFile(QStringLiteral("stored.xml"), sequenceOf(kInfo + kSettings + c.limits));
    const ProgramRun run = host({QStringLiteral("--unattended"), QStringLiteral("--simulate"),
                                 QStringLiteral("run"), QStringLiteral("--sequence"), stored,
                                 QStringLiteral("--results"), stored, QStringLiteral("1")});
    EXPECT_EQ(run.status, 1) << qPrintable(run.output);
    EXPECT_FALSE(run.output.contains(QStringLiteral("status=1"))) << qPrintable(run.output);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("Test 100 (element 1) is not run")))
        << qPrintable(run.errors);
    QFile written(stored);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(written.readAll()).contains(QLatin1String(c.kept)))
        << "kept as stored";
  }
}

TEST_F(HostRunTest, ReportAndCatalogueRefuseDocumentsNestedBeyondTheLimit) {
  const QString deep = writeFile(QStringLiteral("deep.xml"), sequenceOf(kSettings + nested(5000)));
  const ProgramRun report = host({QStringLiteral("report"), deep, path(QStringLiteral("r.pdf"))});
  EXPECT_EQ(report.status, 2) << qPrintable(report.errors);
  EXPECT_FALSE(QFile::exists(path(QStringLiteral("r.pdf"))));

  const QString groups = QStringLiteral(
                             "<TestElement ClassName=\"RV1XTests.CTestChargeTime\" "
                             "ID=\"100\">")
                             .repeated(20000) +
                         QStringLiteral("</TestElement>").repeated(20000);
  const QString deepTemplate =
      writeFile(QStringLiteral("deep.mpc"),
                QStringLiteral("<Tests><TemplateData>%1</TemplateData></Tests>").arg(groups));
  const ProgramRun catalogue =
      host({QStringLiteral("--template"), deepTemplate, QStringLiteral("catalogue")});
  EXPECT_EQ(catalogue.status, 2) << qPrintable(catalogue.errors);
  EXPECT_TRUE(catalogue.errors.contains(QStringLiteral("nested deeper than 256")))
      << qPrintable(catalogue.errors);
}

}  // namespace
}  // namespace hostruntest
