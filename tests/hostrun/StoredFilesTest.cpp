// Stored files read and written back by rv1x-host (resave, report, run
// --sequence, catalogue): what the host does not understand or cannot keep
// is reported and written back as stored, and a file that is not
// well-formed is refused with nothing written.

#include <QDomDocument>
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
      // What no part names, in place and silently; the part around it is
      // still written anew.
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
       0,
       nullptr,
       {"</PlugInData>", "<Calibration Bench=\"3\"/>", "<ExpectedResult"}},
      {"an attribute of the settings",
       sequenceOf(kInfo +
                  replaced(kSettings, QStringLiteral("PlugIn=\"RV-1X\""),
                           QStringLiteral("PlugIn=\"RV-1X\" Bench=\"3\"")) +
                  kLimits + kResult),
       0,
       nullptr,
       {"Bench=\"3\""}},
      {"an attribute of the result",
       sequenceOf(kInfo + kSettings + kLimits +
                  replaced(kResult, QStringLiteral("<ResultItem>"),
                           QStringLiteral("<ResultItem Checked=\"JS\">"))),
       0,
       nullptr,
       {"Checked=\"JS\""}},
      {"an attribute of a measurement",
       sequenceOf(kInfo + kSettings + kLimits +
                  replaced(kResult, QStringLiteral("Key=\"CHTI\""),
                           QStringLiteral("Key=\"CHTI\" Probe=\"2\""))),
       0,
       nullptr,
       {"Probe=\"2\""}},
      {"a child of the settings",
       sequenceOf(kInfo +
                  replaced(kSettings, QStringLiteral("<TestGuideSettings"),
                           QStringLiteral("<Paddles>adult</Paddles><TestGuideSettings")) +
                  kLimits + kResult),
       0,
       nullptr,
       {"<PresetEnergy>", "<Paddles>adult</Paddles>", "<TestGuideSettings"}},
      {"a comment in the result",
       sequenceOf(kInfo + kSettings + kLimits +
                  replaced(kResult, QStringLiteral("<Status Code=\"1\"/><Measurement Key=\"ENGY"),
                           QStringLiteral("<Status Code=\"1\"/><!-- re-read --><Measurement "
                                          "Key=\"ENGY"))),
       0,
       nullptr,
       {"<Status Code=\"1\"/>", "<!-- re-read -->", "<Measurement Key=\"ENGY"}},
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
      {"more waveform values than the older generation holds",
       QStringLiteral("<TestSequence><TestElement ClassName=\"RV1XTests.CTestDischarge\" "
                      "TestID=\"200\" ID=\"1\"><ResultItem><Status Code=\"0\"/><Measurement "
                      "Key=\"ENGY\"><Value Type=\"1\" Kind=\"Double\">100</Value><Status "
                      "Code=\"0\"/></Measurement><Waveform>%1<PrintWaveform>False"
                      "</PrintWaveform></Waveform></ResultItem></TestElement></TestSequence>")
           .arg(QStringList(151, QStringLiteral("1.5")).join(u';')),
       1,
       "<ResultItem> is written back as stored",
       {"<Waveform>1.5;"}},
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

// Stored files in the forms other releases of the plug-in wrote: each is
// read with the conversions its part makes, written in the current form
// with what no part names kept in place, and run, all without a word.
TEST_F(HostRunTest, FilesOfOtherReleasesLoadRunAndAreWrittenInTheCurrentForm) {
  const auto element = [](const char* className, int testID, const QString& parts) {
    return QStringLiteral(
               "<TestElement ClassName=\"RV1XTests.%1\" TestID=\"%2\" ID=\"1\">%3"
               "</TestElement>")
        .arg(QLatin1String(className))
        .arg(testID)
        .arg(parts);
  };
  const auto sequence = [](const QString& elements) {
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<TestSequence>\n%1\n"
               "</TestSequence>\n")
        .arg(elements);
  };
  const QString shockSteps = QStringLiteral(
      "<PlugInData PlugIn=\"RV-1X\"><ShockAdvice Key=\"::1\"><WaveFormIndex>1</WaveFormIndex>"
      "<Duration>5</Duration><Advice>True</Advice></ShockAdvice></PlugInData>");
  const struct {
    const char* what;
    QString document;
    QStringList written;  // in the document written, in this order
    QStringList gone;     // nowhere in it
  } cases[] = {
      {"a performance test stored by release 2.2.0",
       sequence(element("CTestPerformance", 600,
                        "<PlugInData PlugIn=\"RV-1X\"><Version>2.2.0</Version><Duration>1"
                        "</Duration><Amplitude>1.50</Amplitude><Wavetype>301</Wavetype>"
                        "</PlugInData>")),
       {"<Version>", "<Amplitude>1.5"},
       {"2.2.0"}},
      {"a performance test in the older layout",
       sequence(element("CTestPerformance", 600,
                        "<PlugInData PlugIn=\"RV-1X\"><AmplitudeIndex>3</AmplitudeIndex>"
                        "<DurationIndex>2</DurationIndex><WaveFormIndex>4</WaveFormIndex>"
                        "</PlugInData>")),
       {"<Version>", "<Duration>2</Duration>", "<Amplitude>1.5</Amplitude>",
        "<Wavetype>304</Wavetype>"},
       {"AmplitudeIndex", "DurationIndex", "WaveFormIndex"}},
      {"a sensitivity test whose settings hold the range",
       sequence(element("CTestSensitivity", 300,
                        "<PlugInData PlugIn=\"RV-1X\"><LoadIndex>3</LoadIndex>"
                        "<RangeHigh>1.5</RangeHigh><RangeLow>0.4</RangeLow></PlugInData>")),
       {"<LoadIndex>3</LoadIndex>"},
       {"RangeHigh", "RangeLow"}},
      {"an older shock-advisory result with its status comment",
       sequence(element("CTestShock", 700,
                        shockSteps +
                            "<ResultItem><Status Code=\"1\">checked by JS</Status>"
                            "<Measurement Key=\"::1\"><Description>CVF</Description>"
                            "<Value Type=\"3\" Kind=\"Boolean\">True</Value><Status Code=\"1\"/>"
                            "</Measurement></ResultItem>")),
       {"<ResultItem Version=\"2\">", "checked by JS", "<Measurement Key=\"::1\">"},
       {}},
      {"an energy limit with the operator of the last round",
       sequence(element("CTestChargeTime", 100,
                        "<ExpectedResult><Standard AlphaName=\"IEC\" CompleteName=\"IEC "
                        "60601-2-4\" Flags=\"1\"><Limit Key=\"ENGY\" Unit=\"J\" "
                        "Operator=\"X+max(X*Y%,Z)\" High=\"15\" HighEnabled=\"True\" "
                        "Low=\"-15\" LowEnabled=\"True\" HighZ=\"3\" LowZ=\"-3\"/></Standard>"
                        "</ExpectedResult>")),
       {"Operator=\"X+(X*Y%)\"", "HighZ=\"3\"", "LowZ=\"-3\""},
       {"max("}},
      {"a pacer-accuracy result holding the retired PENG, with MTI 0",
       sequence(element(
           "CTestAccuracy", 500,
           "<ResultItem MTI=\"0\"><Status Code=\"0\"/><Measurement Key=\"RATE\"><Description>"
           "20072::Rate</Description><Value Type=\"1\" Kind=\"Double\">65</Value><Unit>ppm"
           "</Unit><Status Code=\"0\"/></Measurement><Measurement Key=\"PENG\"><Value "
           "Type=\"1\" Kind=\"Double\">3</Value></Measurement><Measurement Key=\"AMPL\">"
           "<Description>20070::Amplitude</Description><Value Type=\"1\" Kind=\"Double\">42.5"
           "</Value><Unit>mA</Unit><Status Code=\"0\"/></Measurement></ResultItem>")),
       {"<Measurement Key=\"RATE\">", ">65<", "<Measurement Key=\"AMPL\">", ">42.5<"},
       {"PENG", "MTI="}},
      {"a discharge waveform of the older generation",
       sequence(element("CTestDischarge", 200,
                        "<ResultItem><Status Code=\"0\"/><Measurement Key=\"ENGY\"><Value "
                        "Type=\"1\" Kind=\"Double\">100</Value><Status Code=\"0\"/></Measurement>"
                        "<Waveform Mk=\"II\">1.5;-2<PrintWaveform>False</PrintWaveform>"
                        "</Waveform></ResultItem>")),
       {">100<", "<Waveform>1.5;-2"},
       {"Mk="}},
      {"a test element with two children no part names",
       sequence(element("CTestChargeTime", 100,
                        "<CalibrationNote>Bench 3, 2024-05-02</CalibrationNote>" + kSettings +
                            "<Attachment Name=\"label.pdf\"/>")),
       {"<CalibrationNote>Bench 3, 2024-05-02</CalibrationNote>", "<PlugInData",
        "<Attachment Name=\"label.pdf\"/>"},
       {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const QString in = writeFile(QStringLiteral("in.xml"), c.document);
    const QString out = path(QStringLiteral("out.xml"));
    const ProgramRun resave = host({QStringLiteral("resave"), in, out});
    EXPECT_EQ(resave.status, 0) << qPrintable(resave.errors);
    QFile written(out);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(written.readAll());
    qsizetype at = 0;
    for (const QString& kept : c.written) {
      const qsizetype found = text.indexOf(kept, at);
      EXPECT_GE(found, 0) << qPrintable(kept) << "\n" << qPrintable(text);
      if (found >= 0) at = found + kept.size();
    }
    for (const QString& gone : c.gone)
      EXPECT_FALSE(text.contains(gone)) << qPrintable(gone) << "\n" << qPrintable(text);
    // Written once in the current form, it is written the same again.
    const QString again = path(QStringLiteral("again.xml"));
    EXPECT_EQ(host({QStringLiteral("resave"), out, again}).status, 0);
    QFile second(again);
    ASSERT_TRUE(second.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(second.readAll()), text);

    const ProgramRun report = host({QStringLiteral("report"), in, path(QStringLiteral("r.pdf"))});
    EXPECT_EQ(report.status, 0) << qPrintable(report.errors);
    const ProgramRun exported = host({QStringLiteral("export"), in, path(QStringLiteral("r.csv"))});
    EXPECT_EQ(exported.status, 0) << qPrintable(exported.errors);

    // Every test is performed, and nothing is said about the file.
    const ProgramRun run =
        host({QStringLiteral("--unattended"), QStringLiteral("--simulate"), QStringLiteral("run"),
              QStringLiteral("--overwrite"), QStringLiteral("--sequence"), in,
              QStringLiteral("--results"), path(QStringLiteral("run.xml")), QStringLiteral("1")});
    EXPECT_EQ(run.output.count(QRegularExpression(QStringLiteral("^test \\d+ status=\\d$"),
                                                  QRegularExpression::MultilineOption)),
              1)
        << qPrintable(run.output) << qPrintable(run.errors);
    EXPECT_FALSE(run.errors.contains(QStringLiteral("rror"))) << qPrintable(run.errors);
    EXPECT_FALSE(run.errors.contains(QStringLiteral("not run"))) << qPrintable(run.errors);
  }
}

// A host that knows only the design's three operators reads every limit a
// run writes, and judges the delivered energy by the relative 15 % alone,
// never looser than this host's "15 % or 3 J, whichever is greater".
TEST_F(HostRunTest, AHostKnowingThreeOperatorsReadsEveryLimitARunWrites) {
  const ProgramRun run =
      host({QStringLiteral("--unattended"), QStringLiteral("--simulate"), QStringLiteral("run"),
            QStringLiteral("--tests"), QStringLiteral("100,200"), QStringLiteral("--results"),
            path(QStringLiteral("run.xml")), QStringLiteral("1")});
  QFile file(path(QStringLiteral("run.xml")));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(run.errors);
  QDomDocument document;
  ASSERT_TRUE(document.setContent(&file));
  const QStringList threeOperators{QStringLiteral("Y"), QStringLiteral("X+Y"),
                                   QStringLiteral("X+(X*Y%)")};
  int energyLimits = 0;
  const QDomNodeList limits = document.elementsByTagName(QStringLiteral("Limit"));
  for (int i = 0; i < limits.size(); ++i) {
    const QDomElement limit = limits.at(i).toElement();
    const QString key = limit.attribute(QStringLiteral("Key"));
    SCOPED_TRACE(qPrintable(key));
    const QString op = limit.attribute(QStringLiteral("Operator"));
    EXPECT_TRUE(op.isEmpty() || threeOperators.contains(op)) << qPrintable(op);
    bool high = false;
    bool low = false;
    const double y = limit.attribute(QStringLiteral("High")).toDouble(&high);
    const double lowY = limit.attribute(QStringLiteral("Low")).toDouble(&low);
    EXPECT_TRUE(high && low);
    if (key != QLatin1String("ENGY")) continue;
    ++energyLimits;
    EXPECT_EQ(op, QStringLiteral("X+(X*Y%)"));
    // At 10 J: 8.5 to 11.5 J by 15 %, where this host allows 7 to 13 J.
    EXPECT_DOUBLE_EQ(10 + 10 * y / 100, 11.5);
    EXPECT_DOUBLE_EQ(10 + 10 * lowY / 100, 8.5);
  }
  EXPECT_EQ(energyLimits, 2) << "the charge-time and the discharge test";
}

// The template is read by the rules of a stored sequence: a default
// standard holding a value that is not wholly one number, or a flag that is
// neither "True" nor "False", is reported by every command that loads it,
// naming the file, the standard and the limit, and judges nothing.
TEST_F(HostRunTest, TheTemplateReportsADefaultStandardItCannotRead) {
  const QString padsLimit = QStringLiteral(
      "<Standard AlphaName=\"WARD\" CompleteName=\"Ward rule\" Flags=\"1\"><Limit Key=\"PADS\" "
      "Unit=\"mV\" High=\"1\" HighEnabled=\"False\" Low=\"0.5\" LowEnabled=\"True\"/>"
      "</Standard>");
  const struct {
    const char* what;
    const char* from;
    const char* to;
    const char* told;
  } cases[] = {
      {"a decimal comma", "Low=\"0.5\"", "Low=\"0,5\"", "Low \"0,5\" is not a number"},
      {"not a number", "Low=\"0.5\"", "Low=\"nan\"", "Low \"nan\" is not a number"},
      {"a flag in lower case", "LowEnabled=\"True\"", "LowEnabled=\"true\"",
       "LowEnabled \"true\" is neither True nor False"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const QString chosen = writeFile(
        QStringLiteral("chosen.mpc"),
        QStringLiteral("<Tests><TemplateData><TestElement ClassName=\"RV1XTests.CTestSensitivity\" "
                       "ID=\"300\"><ExpectedResult>%1</ExpectedResult></TestElement>"
                       "</TemplateData></Tests>")
            .arg(QString(padsLimit).replace(QLatin1String(c.from), QLatin1String(c.to))));
    const QStringList named{chosen, QStringLiteral("Standard \"WARD\" (Ward rule), limit \"PADS\""),
                            QString::fromLatin1(c.told)};
    const ProgramRun catalogue =
        host({QStringLiteral("--template"), chosen, QStringLiteral("catalogue")});
    EXPECT_EQ(catalogue.status, 1) << qPrintable(catalogue.errors);
    EXPECT_TRUE(catalogue.output.startsWith(QStringLiteral("300 RV1XTests.CTestSensitivity")))
        << qPrintable(catalogue.output);
    EXPECT_FALSE(catalogue.output.contains(QStringLiteral("WARD"))) << "it judges nothing";
    // A sensitivity of 0.30 mV, below the unreadable bound, is not passed by it.
    const ProgramRun run = host({QStringLiteral("--unattended"), QStringLiteral("--simulate"),
                                 QStringLiteral("--template"), chosen, QStringLiteral("run"),
                                 QStringLiteral("--overwrite"), QStringLiteral("1")});
    EXPECT_FALSE(run.output.contains(QStringLiteral("status=1"))) << qPrintable(run.output);
    for (const ProgramRun& loaded : {catalogue, run})
      for (const QString& name : named)
        EXPECT_TRUE(loaded.errors.contains(name)) << qPrintable(name) << "\n"
                                                  << qPrintable(loaded.errors);
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
