// The discharge result: its measurements from the owner's configuration and
// the reply, the discharge curve of either generation, its stored form with
// the curve after the measurements, its dialog and its printout with the
// curve. Set RV1X_DISCHARGE_REPORT to a file name to keep the printed PDF,
// RV1X_DISCHARGE_DIALOG to keep a picture of the dialog, for a look.

#include <QWidget>

#include "RecordingReport.h"
#include "ResultCases.h"
#include "report/HostReport.h"
#include "results/CResultDischarge.h"
#include "settings/CConfigDischarge.h"
#include "typelib/IDialog.h"
#include "ui/Twips.h"
#include "ui/WindowHandles.h"
#include "waveforms/CWaveFormMkII.h"
#include "waveforms/CWaveformMkIII.h"
#include "waveforms/XPerformDischarge.h"

namespace {

using namespace orvanRV1Xtst;
using namespace resultstest;

// The analyzer's block of 12-bit counts, high byte first.
QVariant block12(std::initializer_list<int> counts) {
  QByteArray bytes;
  for (int count : counts) {
    bytes.append(static_cast<char>((count >> 8) & 0x0F));
    bytes.append(static_cast<char>(count & 0xFF));
  }
  return bytes;
}

const QString kReply = reply(31, {{1, "  95.0"}, {9, "1520.0"}, {17, "  30.4"}, {25, "    4.5"}});

class DischargeResult : public ResultTest {
 protected:
  void SetUp() override {
    ResultTest::SetUp();
    bench_.test->configuration = config_;
    result_.Initialize(bench_.test);
    const host::StandardPtr standard = bench_.standard(QStringLiteral("IEC"));
    RunBench::bound(standard, QStringLiteral("ENGY"), 15.0f, -15.0f, QStringLiteral("X+(X*Y%)"));
    RunBench::bound(standard, QStringLiteral("DELY"), 60.0f, std::nullopt);
    RunBench::bound(standard, QStringLiteral("PEKI"), 50.0f, std::nullopt);
    RunBench::bound(standard, QStringLiteral("PEKU"), 5000.0f, std::nullopt);
  }

  // The run of the newer generation: reply, curve, verdict.
  void run() {
    result_.StoreResult(kReply);
    result_.StoreWaveForm(block12({0, 50, 1000, 500}), QStringLiteral("L!"), true);
    result_.UpdateStatus(bench_.test, bench_.selected, false);
  }

  std::shared_ptr<CConfigDischarge> config_ = std::make_shared<CConfigDischarge>();
  RunBench bench_{200};
  CResultDischarge result_;
};

TEST_F(DischargeResult, MeasurementsTakeThePresetFromTheOwnersConfiguration) {
  EXPECT_EQ(result_.OwnerTest(), bench_.test);
  const QStringList keys{"ENGY", "DELY", "PEKI", "PEKU"};
  ASSERT_EQ(result_.MeasurementCount(), 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(result_.Measurement(i + 1)->Key(), keys.at(i));
  EXPECT_EQ(result_.MeasurementByKey(QStringLiteral("ENGY"))->PresetValue(),
            QVariant::fromValue(100.0f));
  EXPECT_FALSE(result_.MeasurementByKey(QStringLiteral("DELY"))->PresetValue().isValid());

  auto bare = std::make_shared<testsupport::StubTestElement>(200);
  CResultDischarge withoutConfiguration;
  withoutConfiguration.Initialize(bare);
  EXPECT_FALSE(
      withoutConfiguration.MeasurementByKey(QStringLiteral("ENGY"))->PresetValue().isValid());
  CResultDischarge withoutTest;
  withoutTest.Initialize(nullptr);
  EXPECT_EQ(withoutTest.MeasurementCount(), 4);
}

TEST_F(DischargeResult, ReadsItsFourFieldsFromTheReply) {
  result_.StoreResult(kReply);
  EXPECT_EQ(result_.MeasurementByKey(QStringLiteral("ENGY"))->Value(), QVariant(95.0));
  EXPECT_EQ(result_.MeasurementByKey(QStringLiteral("PEKU"))->Value(), QVariant(1520.0));
  EXPECT_EQ(result_.MeasurementByKey(QStringLiteral("PEKI"))->Value(), QVariant(30.4));
  EXPECT_EQ(result_.MeasurementByKey(QStringLiteral("DELY"))->Value(), QVariant(4.5));
  result_.StoreResult(kReply.left(22));
  EXPECT_EQ(result_.MeasurementByKey(QStringLiteral("DELY"))->Value(), QVariant());
  EXPECT_EQ(result_.MeasurementByKey(QStringLiteral("PEKI"))->Value(), QVariant(30.4));
  EXPECT_TRUE(result_.ResultStored());
}

TEST_F(DischargeResult, TheCurveIsOfTheAnalyzersGenerationAndPrintedAsConfigured) {
  EXPECT_FALSE(result_.Waveform());
  EXPECT_FALSE(result_.HasDialog());
  result_.StoreWaveForm(block12({0, 50, 1000, 500}), QStringLiteral("L!"), true);
  const IWaveformPtr first = result_.Waveform();
  ASSERT_TRUE(std::dynamic_pointer_cast<CWaveformMkIII>(first));
  EXPECT_TRUE(first->IncludeInReport());
  // The counts times the low range's -0.0111 A, rounded to single precision.
  const QList<rt::Single> expected{0.0f, -0.555f, -11.099999f, -5.5499997f};
  EXPECT_EQ(validSamples(*first), expected);
  EXPECT_TRUE(result_.HasDialog()) << "a curve to show, without a comment";

  config_->SetPrintWaveform(false);
  result_.StoreWaveForm(QByteArray(300, '\0'), QStringLiteral("H!"), false);
  ASSERT_TRUE(std::dynamic_pointer_cast<CWaveFormMkII>(result_.Waveform()));
  EXPECT_NE(result_.Waveform(), first);
  EXPECT_FALSE(result_.Waveform()->IncludeInReport());

  // Once the test element has gone, the curve is still kept, unprinted.
  CResultDischarge orphan;
  orphan.Initialize(std::make_shared<testsupport::StubTestElement>(200));
  orphan.StoreWaveForm(block12({1, 2}), QStringLiteral("H!"), true);
  ASSERT_TRUE(orphan.Waveform());
  EXPECT_EQ(orphan.Waveform()->ValueCount(), 2);
  EXPECT_FALSE(orphan.Waveform()->IncludeInReport());
}

TEST_F(DischargeResult, StoresTheCurveAfterTheMeasurements) {
  run();
  result_.SetMTIID(1);
  const host::XmlElementPtr stored = result_.Save(document_);
  EXPECT_EQ(
      canonical(stored),
      canonicalXml(QStringLiteral(
          "<ResultItem MTI=\"1\"><Status Code=\"1\"/>"
          "<Standard AlphaName=\"IEC\" CompleteName=\"IEC 1\"/>"
          "<ServiceRecord Built=\"True\" Flag=\"\">/95/4.5/30.4/1520</ServiceRecord>"
          "<Measurement Key=\"ENGY\"><Description>20130::Energy</Description>"
          "<Value Type=\"1\" Kind=\"Double\">95</Value><Unit>J</Unit><Status Code=\"1\"/>"
          "</Measurement>"
          "<Measurement Key=\"DELY\"><Description>20133::Delay</Description>"
          "<Value Type=\"1\" Kind=\"Double\">4.5</Value><Unit>ms</Unit><Status Code=\"1\"/>"
          "</Measurement>"
          "<Measurement Key=\"PEKI\"><Description>20131::Peak I</Description>"
          "<Value Type=\"1\" Kind=\"Double\">30.4</Value><Unit>A</Unit><Status Code=\"1\"/>"
          "</Measurement>"
          "<Measurement Key=\"PEKU\"><Description>20132::Peak U</Description>"
          "<Value Type=\"1\" Kind=\"Double\">1520</Value><Unit>V</Unit><Status Code=\"1\"/>"
          "</Measurement>"
          "<Waveform Mk=\"III\">0;-0.555;-11.099999;-5.5499997<PrintWaveform>True</PrintWaveform>"
          "</Waveform></ResultItem>")));

  CResultDischarge loaded;
  loaded.Initialize(bench_.test);
  loaded.Load(stored, std::make_shared<host::HostLog>());
  EXPECT_TRUE(reported().isEmpty());
  ASSERT_TRUE(std::dynamic_pointer_cast<CWaveformMkIII>(loaded.Waveform()));
  EXPECT_EQ(validSamples(*loaded.Waveform()), validSamples(*result_.Waveform()));
  EXPECT_TRUE(loaded.ServiceRecord());
  EXPECT_EQ(canonical(loaded.Save(document_)), canonical(stored));
}

// The curve was measured with the values: it is stored with them whatever
// the status, and never without them.
TEST_F(DischargeResult, ACurveIsStoredWithTheMeasuredValuesAndOnlyWithSamples) {
  run();
  for (rt::Long status : {0, 3}) {
    result_.SetStatus(status);
    EXPECT_TRUE(childTags(result_.Save(document_)).contains(QStringLiteral("Waveform"))) << status;
  }
  CResultDischarge unmeasured;
  unmeasured.Initialize(bench_.test);
  unmeasured.StoreWaveForm(block12({1, 2}), QStringLiteral("L!"), true);
  EXPECT_FALSE(childTags(unmeasured.Save(document_)).contains(QStringLiteral("Waveform")));
  result_.SetStatus(1);
  result_.StoreWaveForm(QByteArray(), QStringLiteral("L!"), true);
  ASSERT_TRUE(result_.Waveform());
  EXPECT_EQ(result_.Waveform()->ValueCount(), 0);
  EXPECT_FALSE(childTags(result_.Save(document_)).contains(QStringLiteral("Waveform")));
}

TEST_F(DischargeResult, TheGenerationOfAStoredCurveIsItsExactMark) {
  const struct {
    const char* attributes;
    bool newer;
  } cases[] = {{" Mk=\"III\"", true}, {"", false}, {" Mk=\"iii\"", false}, {" Mk=\"II\"", false}};
  for (const auto& c : cases) {
    CResultDischarge loaded;
    loaded.Initialize(bench_.test);
    loaded.Load(element(QStringLiteral("<ResultItem><Status Code=\"1\"/>"
                                       "<Waveform%1>1.5;-2<PrintWaveform>False</PrintWaveform>"
                                       "</Waveform></ResultItem>")
                            .arg(QLatin1String(c.attributes))),
                nullptr);
    const IWaveformPtr waveform = loaded.Waveform();
    ASSERT_TRUE(waveform) << c.attributes;
    EXPECT_EQ(std::dynamic_pointer_cast<CWaveformMkIII>(waveform) != nullptr, c.newer);
    EXPECT_EQ(waveform->ValueCount(), 2);
    EXPECT_FALSE(waveform->IncludeInReport());
  }
}

TEST_F(DischargeResult, LoadKeepsTheCurveWithoutAStoredOneAndAfterAForeignMeasurement) {
  run();
  const IWaveformPtr held = result_.Waveform();
  result_.Load(element(QStringLiteral("<ResultItem><Status Code=\"1\"/></ResultItem>")), nullptr);
  EXPECT_EQ(result_.Waveform(), held);

  result_.Load(element(QStringLiteral("<ResultItem><Status Code=\"1\"/>"
                                      "<Measurement Key=\"PENG\"/>"
                                      "<Waveform Mk=\"III\">7</Waveform></ResultItem>")),
               nullptr);
  EXPECT_EQ(reported().size(), 1);
  ASSERT_NE(result_.Waveform(), held);
  EXPECT_EQ(validSamples(*result_.Waveform()), QList<rt::Single>{7.0f});
  EXPECT_FALSE(result_.Waveform()->IncludeInReport()) << "no print flag stored: a new curve's";
}

class RefusingWaveform : public host::XmlDocument {
 public:
  host::XmlElementPtr CreateElement(const QString& name) override {
    if (name == QStringLiteral("Waveform")) return nullptr;
    return host::XmlDocument::CreateElement(name);
  }
};

TEST_F(DischargeResult, ACurveThatCannotBeStoredFailsTheSaveWithTheResultsError) {
  run();
  host::XmlElementPtr saved;
  EXPECT_EQ(errorOf([&] { saved = result_.Save(std::make_shared<RefusingWaveform>()); }),
            kResultSaveError);
  EXPECT_FALSE(saved);
  EXPECT_TRUE(reported().isEmpty());
}

TEST_F(DischargeResult, TheDialogComesBackWhileTheDischargeViewIsNotInstalled) {
  auto result = std::make_shared<CResultDischarge>();
  result->Initialize(bench_.test);
  const host::IDialogPtr dialog = result->CreateDialog();
  ASSERT_TRUE(dialog);
  dialog->Unload();
  // A result that no reference holds cannot be handed to a dialog.
  EXPECT_FALSE(result_.CreateDialog());
}

TEST_F(DischargeResult, TheInstalledDischargeViewShowsTheResultsCurve) {
  testsupport::TemporaryRegistry registry;
  ASSERT_TRUE(
      testsupport::registerServer(testsupport::builtLibrary(QStringLiteral("orvanRV1Xtst"))));
  auto result = std::make_shared<CResultDischarge>();
  result->Initialize(bench_.test);
  result->StoreResult(kReply);
  QByteArray bytes;
  for (int i = 0; i < 150; ++i) {
    const int count = i < 10 ? i * 60 : int(600 * std::exp(-(i - 10) / 30.0));
    bytes.append(static_cast<char>((count >> 8) & 0xFF));
    bytes.append(static_cast<char>(count & 0xFF));
  }
  result->StoreWaveForm(bytes, QStringLiteral("H!"), false);
  result->SetComment(QStringLiteral("Second shock after paddle contact check."));

  const host::IDialogPtr dialog = result->CreateDialog();
  auto* form = dynamic_cast<QWidget*>(dialog.get());
  ASSERT_TRUE(form);
  auto* view = form->findChild<XPerformDischarge*>();
  ASSERT_TRUE(view) << "the dialog hosts the discharge view";
  EXPECT_EQ(view->ShownWaveform(), result->Waveform());
  EXPECT_TRUE(view->DialogMode());

  QWidget hostWindow;
  hostWindow.resize(ui::toPixels(7200), ui::toPixels(5400));
  hostWindow.show();
  dialog->Dock(ui::handleOf(&hostWindow));
  dialog->Move(0, 0, 7200, 5400);
  dialog->Show(0);
  const QString keep = qEnvironmentVariable("RV1X_DISCHARGE_DIALOG");
  if (!keep.isEmpty()) hostWindow.grab().save(keep);
  dialog->Unload();
}

// --- printout -------------------------------------------------------------------

class DischargePrint : public DischargeResult {
 protected:
  // Whether the printout drew more than the table: the curve's frame.
  static bool drewCurve(const testsupport::ReportCalls& report) {
    return report.callNames().contains(QStringLiteral("FilledRectangle"));
  }
};

TEST_F(DischargePrint, TheCurveFollowsTheTableWhenTheReportAsksForIt) {
  run();
  const struct {
    rt::Long kind;
    rt::Long options;
    bool printWaveform;
    bool curve;
  } cases[] = {
      {3, 8, true, true},  {3, 8 | 16, true, true}, {3, 0, true, false},
      {2, 8, true, false}, {0, 8, true, false},     {3, 8, false, false},
  };
  for (const auto& c : cases) {
    auto report = std::make_shared<testsupport::RecordingCanvasReport>();
    report->setOutputKind(c.kind);
    report->setOptionFlags(c.options);
    result_.Waveform()->SetIncludeInReport(c.printWaveform);
    result_.PrintReport(report, QVariant());
    EXPECT_EQ(drewCurve(*report), c.curve) << c.kind << " " << c.options << " " << c.printWaveform;
    // A passed result asked for failures only prints no table, but its curve.
    EXPECT_EQ(report->callNames().contains(QStringLiteral("AddTable")), (c.options & 16) == 0);
  }
}

TEST_F(DischargePrint, RendersTheTableAndTheCurve) {
  result_.StoreResult(kReply);
  QList<int> counts;
  for (int i = 0; i < 150; ++i)
    counts.append(i < 10 ? i * 60 : int(600 * std::exp(-(i - 10) / 30.0)));
  QByteArray bytes;
  for (int count : counts) {
    bytes.append(static_cast<char>((count >> 8) & 0xFF));
    bytes.append(static_cast<char>(count & 0xFF));
  }
  result_.StoreWaveForm(bytes, QStringLiteral("H!"), false);
  result_.UpdateStatus(bench_.test, bench_.selected, false);
  const QString keep = qEnvironmentVariable("RV1X_DISCHARGE_REPORT");
  auto report = std::make_shared<testsupport::RecordingCanvasReport>(keep);
  report->setOutputKind(3);
  report->setOptionFlags(8);
  LanguageScope english(QStringLiteral("en"));
  result_.PrintReport(report, QVariant());
  report->finish();
  EXPECT_TRUE(drewCurve(*report));
  EXPECT_EQ(report->pageCount(), 1);
  EXPECT_TRUE(report->callNames().indexOf(QStringLiteral("AddTable")) <
              report->callNames().indexOf(QStringLiteral("FilledRectangle")));
}

}  // namespace
