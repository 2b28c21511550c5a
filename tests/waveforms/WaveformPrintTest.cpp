// The printed discharge curve: what a waveform's printout asks of the report
// and its drawing surface, and the page it draws.

#include <QFile>
#include <tuple>

#include "RecordingReport.h"
#include "WaveformFixture.h"
#include "report/HostReport.h"
#include "runtime/Conversions.h"
#include "services/LanguageService.h"

namespace {

using namespace orvanRV1Xtst;
using namespace waveformtest;
using testsupport::RecordingCanvasReport;
using testsupport::RecordingReport;
using testsupport::ReportCall;
using testsupport::ReportCalls;

QList<ReportCall> callsNamed(const ReportCalls& report, const QString& name) {
  QList<ReportCall> found;
  for (const ReportCall& call : report.calls())
    if (call.name == name) found.append(call);
  return found;
}

QStringList textBoxes(const ReportCalls& report) {
  QStringList texts;
  for (const ReportCall& call : callsNamed(report, QStringLiteral("TextBox")))
    texts.append(call.args.at(0).toString());
  return texts;
}

// The curve's segments: the lines drawn after the last text.
QList<ReportCall> curveSegments(const ReportCalls& report) {
  QList<ReportCall> segments;
  for (const ReportCall& call : report.calls()) {
    if (call.name == QStringLiteral("TextBox")) segments.clear();
    if (call.name == QStringLiteral("Line")) segments.append(call);
  }
  return segments;
}

QList<rt::Long> longs(const QVariantList& args, int count) {
  QList<rt::Long> values;
  for (int i = 0; i < count; ++i) values.append(args.at(i).toInt());
  return values;
}

// A text box with the report's font, alignment and rotation as they stood
// when it was drawn.
struct DrawnText {
  QString text;
  QList<rt::Long> box;  // x, y, width, height
  QString font;
  double size;
  bool bold;
  rt::Long alignment;
  rt::Long rotation;
};

QList<DrawnText> drawnTexts(const ReportCalls& report) {
  QList<DrawnText> texts;
  DrawnText state{QString(), {}, QString(), 0, false, -1, 0};
  for (const ReportCall& call : report.calls()) {
    const QVariant first = call.args.value(0);
    if (call.name == QStringLiteral("Font.Name")) state.font = first.toString();
    if (call.name == QStringLiteral("Font.Size")) state.size = first.toDouble();
    if (call.name == QStringLiteral("Font.Bold")) state.bold = first.toBool();
    if (call.name == QStringLiteral("SetTextAlignment")) state.alignment = first.toInt();
    if (call.name == QStringLiteral("SetRotation")) state.rotation = first.toInt();
    if (call.name == QStringLiteral("TextBox")) {
      DrawnText drawn = state;
      drawn.text = first.toString();
      drawn.box = longs(call.args.mid(1), 4);
      texts.append(drawn);
    }
  }
  return texts;
}

// An older waveform loaded from its stored text.
std::shared_ptr<CWaveFormMkII> olderWaveform(const QList<double>& amperes) {
  QStringList fields;
  for (double a : amperes) fields.append(QString::number(a));
  auto mk2 = std::make_shared<CWaveFormMkII>();
  auto document = std::make_shared<host::XmlDocument>();
  document->LoadXml(QStringLiteral("<Waveform>%1</Waveform>").arg(fields.join(u';')));
  mk2->Load(document->DocumentElement(), nullptr);
  mk2->SetIncludeInReport(true);
  return mk2;
}

class WaveformPrint : public WaveformTest {
 protected:
  std::shared_ptr<RecordingCanvasReport> report_ = std::make_shared<RecordingCanvasReport>();
};

TEST_F(WaveformPrint, PrintsOnlyWhenAskedAndOnADrawingSurface) {
  auto mk2 = olderWaveform(dampedSine(40, 150));
  mk2->SetIncludeInReport(false);
  mk2->PrintReport(report_);
  EXPECT_TRUE(report_->calls().isEmpty());
  mk2->PrintReport(nullptr);

  // A report without a drawing surface gets the title looked up, nothing
  // drawn, its position kept.
  mk2->SetIncludeInReport(true);
  auto plain = std::make_shared<RecordingReport>();
  const rt::Long before = plain->CurrentY();
  mk2->PrintReport(plain);
  // The first call is the test's own look at the position.
  EXPECT_EQ(plain->callNames(),
            (QStringList{QStringLiteral("CurrentY"), QStringLiteral("Translate")}));
  EXPECT_EQ(plain->CurrentY(), before);

  // A waveform without samples prints no empty chart.
  auto empty = std::make_shared<CWaveformMkIII>();
  empty->SetIncludeInReport(true);
  empty->PrintReport(report_);
  EXPECT_EQ(report_->callNames(), QStringList{QStringLiteral("Translate")});
}

TEST_F(WaveformPrint, FrameTitleAndPlaceOnThePage) {
  auto mk2 = olderWaveform(dampedSine(40, 150));
  const rt::Long bottom = report_->PrintableBottom(true);
  const rt::Long left = report_->PrintableLeft(true);
  const rt::Long right = report_->PrintableRight(true);
  const rt::Long pageTop = report_->CurrentY();
  struct Case {
    rt::Long y0;
    bool newPage;
  };
  for (const Case c : {Case{bottom - 3920, false}, Case{bottom - 3919, true}}) {
    SCOPED_TRACE(c.y0);
    report_ = std::make_shared<RecordingCanvasReport>();
    report_->SetCurrentY(c.y0);
    mk2->PrintReport(report_);
    EXPECT_EQ(callsNamed(*report_, QStringLiteral("NewPage")).size(), c.newPage ? 1 : 0);
    const rt::Long y = c.newPage ? pageTop : c.y0;
    const rt::Long top = y + 280, frameLeft = left + 560, frameRight = right - 1120;
    const QList<ReportCall> rectangles = callsNamed(*report_, QStringLiteral("FilledRectangle"));
    ASSERT_EQ(rectangles.size(), 2);
    EXPECT_EQ(longs(rectangles.at(0).args, 6),
              (QList<rt::Long>{frameLeft + 70, top + 70, frameRight + 70, top + 3430, 0, 0}));
    EXPECT_EQ(longs(rectangles.at(1).args, 6),
              (QList<rt::Long>{frameLeft, top, frameRight, top + 3360, 0, 0}));
    EXPECT_EQ(callsNamed(*report_, QStringLiteral("SetFillColor")).at(0).args.at(0).toUInt(),
              0xC0C0C0u);
    EXPECT_EQ(callsNamed(*report_, QStringLiteral("SetFillColor")).at(1).args.at(0).toUInt(),
              0xFFFFFFu);

    const ReportCall title = callsNamed(*report_, QStringLiteral("TextBox")).first();
    EXPECT_EQ(title.args.at(0).toString(), QStringLiteral("Defibrillator Discharge Curve"));
    EXPECT_EQ(longs(title.args.mid(1), 4),
              (QList<rt::Long>{frameLeft + 140, top + 140, frameRight - frameLeft - 140, 420}));
    // Below the chart: the frame's bottom.
    EXPECT_EQ(report_->CurrentY(), y + 3640);
  }
}

TEST_F(WaveformPrint, OlderGenerationAxesAndCurve) {
  olderWaveform(dampedSine(40, 150))->PrintReport(report_);
  const QStringList texts = textBoxes(*report_);
  // Time labels every 30 samples, 3 ms apart.
  for (const char* label : {"0.0", "3.0", "6.0", "9.0", "12.0", "15.0"})
    EXPECT_TRUE(texts.contains(QLatin1String(label))) << label;
  EXPECT_TRUE(texts.contains(QStringLiteral("Time [ms]")));
  EXPECT_TRUE(texts.contains(QStringLiteral("Peak I [A]")));
  // The current title reads upwards; the surface turns back afterwards.
  const QList<ReportCall> turns = callsNamed(*report_, QStringLiteral("SetRotation"));
  ASSERT_EQ(turns.size(), 2);
  EXPECT_EQ(turns.at(0).args.at(0).toInt(), 900);
  EXPECT_EQ(turns.at(1).args.at(0).toInt(), 0);
  // One segment between each pair of samples, from left to right.
  const QList<ReportCall> segments = curveSegments(*report_);
  ASSERT_EQ(segments.size(), 149);
  EXPECT_LT(segments.first().args.at(0).toInt(), segments.last().args.at(2).toInt());
}

TEST_F(WaveformPrint, AxesTicksAndLabelsInTheirBoxes) {
  olderWaveform(dampedSine(40, 150))->PrintReport(report_);
  const QList<rt::Long> frame =
      longs(callsNamed(*report_, QStringLiteral("FilledRectangle")).at(1).args, 4);
  const rt::Long left = frame[0] + 980, top = frame[1] + 560, right = frame[2] - 560,
                 bottom = frame[3] - 700;
  // The extents the labels are laid out by, in the axes' fonts.
  auto metrics = std::make_shared<RecordingCanvasReport>();
  host::ReportFont& font = *metrics->Font();
  font.SetName(QStringLiteral("Arial"));
  font.SetSize(7);
  font.SetBold(true);
  const rt::Long h = metrics->TextWidth(QStringLiteral("00:00:00"));
  const rt::Long tw = metrics->TextWidth(QStringLiteral("Peak I [A]"));
  font.SetBold(false);
  const double h0 = metrics->TextHeight(QStringLiteral("0"));

  // The axis lines, then the ticks of each axis, 60 either side.
  QList<QList<rt::Long>> lines;
  for (const ReportCall& call : callsNamed(*report_, QStringLiteral("Line")))
    lines.append(longs(call.args, 4));
  EXPECT_TRUE(lines.contains(QList<rt::Long>{left, bottom, right, bottom}));
  EXPECT_TRUE(lines.contains(QList<rt::Long>{left, top, left, bottom}));
  QList<rt::Long> xTicks, yTicks;
  for (const QList<rt::Long>& l : lines) {
    if (l[0] == l[2] && l[1] == bottom - 60 && l[3] == bottom + 60) xTicks.append(l[0]);
    if (l[1] == l[3] && l[0] == left - 60 && l[2] == left + 60) yTicks.append(l[1]);
  }
  ASSERT_EQ(xTicks.size(), 6);
  EXPECT_EQ(xTicks.first(), left);
  EXPECT_EQ(xTicks.last(), right);
  ASSERT_GE(yTicks.size(), 2);

  const QList<DrawnText> texts = drawnTexts(*report_);
  QList<DrawnText> xLabels, yLabels;
  for (const DrawnText& t : texts) {
    EXPECT_EQ(t.font, QStringLiteral("Arial")) << t.text.toStdString();
    const QString& name = t.text;
    if (name == QStringLiteral("Defibrillator Discharge Curve")) {
      EXPECT_EQ(std::tuple(t.size, t.bold, t.alignment, t.rotation), std::tuple(8.0, true, 1, 0));
    } else if (name == QStringLiteral("Time [ms]")) {
      EXPECT_EQ(t.box, (QList<rt::Long>{left, bottom + 400, right - left, 200}));
      EXPECT_EQ(std::tuple(t.size, t.bold, t.alignment, t.rotation), std::tuple(7.0, true, 1, 0));
    } else if (name == QStringLiteral("Peak I [A]")) {
      // Reads upwards, centred on the current axis.
      EXPECT_EQ(t.box, (QList<rt::Long>{left - 900, top + ((bottom - top) + tw + 200) / 2, tw + 200,
                                        200}));
      EXPECT_EQ(std::tuple(t.size, t.bold, t.alignment, t.rotation), std::tuple(7.0, true, 0, 900));
    } else if (t.alignment == 1) {
      xLabels.append(t);
    } else {
      yLabels.append(t);
    }
  }
  // A time label centred under each tick; a current label right-aligned
  // beside each, centred on it.
  ASSERT_EQ(xLabels.size(), xTicks.size());
  for (qsizetype i = 0; i < xLabels.size(); ++i) {
    SCOPED_TRACE(xLabels.at(i).text.toStdString());
    EXPECT_EQ(xLabels.at(i).box, (QList<rt::Long>{xTicks.at(i) - h, bottom + 150, 2 * h, 200}));
    EXPECT_EQ(std::tuple(xLabels.at(i).size, xLabels.at(i).bold), std::tuple(7.0, false));
  }
  ASSERT_EQ(yLabels.size(), yTicks.size());
  for (qsizetype i = 0; i < yLabels.size(); ++i) {
    SCOPED_TRACE(yLabels.at(i).text.toStdString());
    EXPECT_EQ(yLabels.at(i).box,
              (QList<rt::Long>{left - 750, rt::toLong(yTicks.at(i) - h0 / 2), 550, 200}));
    EXPECT_EQ(std::tuple(yLabels.at(i).size, yLabels.at(i).bold, yLabels.at(i).alignment),
              std::tuple(7.0, false, 2));
  }
  EXPECT_EQ(yLabels.first().text, QStringLiteral("0")) << "the ticks rise from zero";
  EXPECT_GT(yTicks.first(), yTicks.last());
}

TEST_F(WaveformPrint, TitlesInTheUsersLanguage) {
  auto language = host::LanguageService::instance();
  const QString previous = language->language();
  language->setLanguage(QStringLiteral("de"));
  olderWaveform(dampedSine(40, 150))->PrintReport(report_);
  language->setLanguage(previous);
  const QStringList texts = textBoxes(*report_);
  for (const char* text : {"Defibrillator-Entladekurve", "Zeit [ms]", "Spitzenstrom I [A]"})
    EXPECT_TRUE(texts.contains(QString::fromUtf8(text))) << text;
}

TEST_F(WaveformPrint, CurrentLabelsTakeTheDecimalsOfTheirInterval) {
  olderWaveform({1, 2, 3})->PrintReport(report_);
  const QStringList texts = textBoxes(*report_);
  for (const char* label : {"0.0", "0.5", "1.0", "2.5", "3.0"})
    EXPECT_TRUE(texts.contains(QLatin1String(label))) << label;
  EXPECT_FALSE(texts.contains(QStringLiteral("3.5")));
}

TEST_F(WaveformPrint, NewerGenerationOfAPrimeIntervalCountHasTwoTimeLabels) {
  auto mk3 = std::make_shared<CWaveformMkIII>();
  QList<int> raw;
  for (int i = 0; i < 3250; ++i) raw.append(-(i % 500));
  mk3->Initialize(block(counts12(raw)), QStringLiteral("H!"));
  mk3->SetIncludeInReport(true);
  mk3->PrintReport(report_);
  const QStringList texts = textBoxes(*report_);
  EXPECT_TRUE(texts.contains(QStringLiteral("0.0")));
  EXPECT_TRUE(texts.contains(QStringLiteral("13.0")));
  for (const char* missing : {"1.0", "6.0", "12.0"})
    EXPECT_FALSE(texts.contains(QLatin1String(missing)));
  EXPECT_EQ(curveSegments(*report_).size(), 3249);
}

TEST_F(WaveformPrint, OnlyTheValidSamplesAreDrawn) {
  // An older waveform loaded with 3 values holds 150 entries; 3 are samples.
  olderWaveform({0, 10, 5})->PrintReport(report_);
  EXPECT_EQ(curveSegments(*report_).size(), 2);
}

TEST_F(WaveformPrint, AFlatCurveHasAxesButNoScale) {
  olderWaveform(QList<double>(150, 0.0))->PrintReport(report_);
  EXPECT_EQ(textBoxes(*report_),
            (QStringList{QStringLiteral("Defibrillator Discharge Curve"),
                         QStringLiteral("Time [ms]"), QStringLiteral("Peak I [A]")}));
  // The two axis lines, no tick and no curve.
  EXPECT_EQ(callsNamed(*report_, QStringLiteral("Line")).size(), 2);
}

TEST_F(WaveformPrint, DrawsAPdfPage) {
  // RV1X_WAVEFORM_SAMPLE keeps the PDF for a look.
  QTemporaryDir dir;
  const QString kept = qEnvironmentVariable("RV1X_WAVEFORM_SAMPLE");
  const QString file = kept.isEmpty() ? dir.filePath(QStringLiteral("curve.pdf")) : kept;
  {
    auto report = std::make_shared<RecordingCanvasReport>(file);
    report->Text(QStringLiteral("Discharge test"));
    olderWaveform(dampedSine(40, 150))->PrintReport(report);

    auto mk3 = std::make_shared<CWaveformMkIII>();
    mk3->Initialize(block(biphasicBlock()), QStringLiteral("H!"));
    mk3->SetIncludeInReport(true);
    mk3->PrintReport(report);
    olderWaveform(QList<double>(150, 0.0))->PrintReport(report);
    // The fourth chart no longer fits: it starts the second page.
    olderWaveform(dampedSine(-25, 150))->PrintReport(report);
    // The chart leaves the report's font and alignment as its labels had them.
    report->SetTextAlignment(0);
    report->Text(QStringLiteral("After the curves."));
    report->finish();
    EXPECT_TRUE(report->fileWritten());
    EXPECT_EQ(report->pageCount(), 2);
  }
  QFile pdf(file);
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.readAll().startsWith("%PDF-"));
  EXPECT_TRUE(errors().entries().isEmpty());
}

}  // namespace
