// The printed configuration table: the call sequence on the host report, the
// header, the column formats for several page widths and the rows.

#include "ConfigFixture.h"
#include "RecordingReport.h"
#include "report/HostReport.h"
#include "settings/CConfigAccuracy.h"
#include "settings/CConfigChargeTime.h"
#include "settings/CConfigDischarge.h"
#include "settings/CConfigPerformance.h"
#include "settings/CConfigRefractory.h"
#include "settings/CConfigSensitivity.h"

namespace {

using namespace orvanRV1Xtst;
using namespace settingstest;

const QString kHeader = QStringLiteral("|{\\i\\b Configuration}|{\\i\\b Value}|{\\i\\b Unit};");

const QStringList kPrinted{"Translate", "Translate",       "Translate",
                           "PageWidth", "Translate",       "TableFontSize",
                           "TableGrid", "TableHeaderRows", "AddTable"};

class ConfigReport : public ConfigTest {
 protected:
  std::shared_ptr<testsupport::RecordingReport> print(host::IConfigData& config,
                                                      rt::Long pageWidth = 9760) {
    auto report = std::make_shared<testsupport::RecordingReport>();
    report->setPageWidth(pageWidth);
    config.PrintReport(report);
    return report;
  }
  static const testsupport::ReportCall& addTable(const testsupport::ReportCalls& report) {
    return report.calls().last();
  }
  static QString rows(const testsupport::ReportCalls& report) {
    return addTable(report).args.at(2).toString();
  }
};

// Names of the calls, with the row translations folded into one.
QStringList sequence(const testsupport::ReportCalls& report) {
  QStringList names = report.callNames();
  for (int i = names.size() - 1; i > 4; --i)
    if (names.at(i) == QStringLiteral("Translate") &&
        names.at(i - 1) == QStringLiteral("Translate"))
      names.removeAt(i);
  return names;
}

TEST_F(ConfigReport, TheTableCallSequence) {
  CConfigSensitivity config;
  auto report = print(config);
  EXPECT_EQ(sequence(*report), kPrinted);
  const QList<testsupport::ReportCall>& calls = report->calls();
  EXPECT_EQ(calls.at(0).args.mid(0, 2), (QVariantList{"RV-1X", "310::Configuration"}));
  EXPECT_EQ(calls.at(1).args.mid(0, 2), (QVariantList{"RV-1X", "231::Value"}));
  EXPECT_EQ(calls.at(2).args.mid(0, 2), (QVariantList{"RV-1X", "234::Unit"}));
  EXPECT_EQ(calls.at(3).args, (QVariantList{7}));
  const int setup = calls.size() - 4;
  EXPECT_EQ(calls.at(setup).args, (QVariantList{7}));
  EXPECT_EQ(calls.at(setup + 1).args, (QVariantList{false}));
  EXPECT_EQ(calls.at(setup + 2).args, (QVariantList{1}));
  const QVariantList& table = addTable(*report).args;
  ASSERT_EQ(table.size(), 6);
  EXPECT_EQ(table.at(1).toString(), kHeader);
  EXPECT_EQ(table.mid(3), (QVariantList{0, 0, 0}));
}

TEST_F(ConfigReport, ColumnFormatsForThePageWidth) {
  struct Case {
    rt::Long width;
    const char* narrow;
    const char* wide;
  } cases[] = {
      {9760, "<+560|<2240|>+1880|>+1880|>+1880|>+1880!|<+560;",
       ">+560|<2240|>+1600|>+1600|>+1600|>+!1600|<+560;"},
      {2239, "<+560|<2240|>+0|>+0|>+0|>+0!|<+560;",
       ">+560|<2240|>+-280|>+-280|>+-280|>+!-280|<+560;"},
      {2000, "<+560|<2240|>+-60|>+-60|>+-60|>+-60!|<+560;",
       ">+560|<2240|>+-340|>+-340|>+-340|>+!-340|<+560;"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    CConfigSensitivity sensitivity;
    CConfigRefractory refractory;
    CConfigAccuracy accuracy;
    CConfigDischarge discharge;
    for (host::IConfigData* narrow : {static_cast<host::IConfigData*>(&sensitivity),
                                      static_cast<host::IConfigData*>(&refractory)}) {
      auto report = print(*narrow, c.width);
      EXPECT_EQ(report->calls().at(3).args, (QVariantList{7}));
      EXPECT_EQ(addTable(*report).args.at(0).toString(), QLatin1String(c.narrow));
    }
    for (host::IConfigData* wide : {static_cast<host::IConfigData*>(&accuracy),
                                    static_cast<host::IConfigData*>(&discharge)}) {
      auto report = print(*wide, c.width);
      EXPECT_EQ(report->calls().at(3).args, (QVariantList{10}));
      EXPECT_EQ(addTable(*report).args.at(0).toString(), QLatin1String(c.wide));
    }
  }
}

TEST_F(ConfigReport, ClassesWithoutRowsOnlyTranslateAndMeasure) {
  CConfigChargeTime chargeTime;
  CConfigPerformance performance;
  for (host::IConfigData* config : {static_cast<host::IConfigData*>(&chargeTime),
                                    static_cast<host::IConfigData*>(&performance)}) {
    auto report = print(*config);
    EXPECT_EQ(report->callNames(),
              (QStringList{"Translate", "Translate", "Translate", "PageWidth"}));
    EXPECT_EQ(report->calls().at(3).args, (QVariantList{7}));
    config->PrintReport(nullptr);
  }
}

TEST_F(ConfigReport, RowsOfNewConfigurations) {
  CConfigSensitivity sensitivity;
  EXPECT_EQ(rows(*print(sensitivity)),
            QStringLiteral("|      Selected range high|0|mV;|      Selected range low|0|mV;"
                           "|      Load|Fixed load|Ohm;|      Trigger wave|10 ms Sqr.|;"));
  CConfigRefractory refractory;
  EXPECT_EQ(rows(*print(refractory)),
            QStringLiteral("|      Load|Fixed load|Ohm;|      Pacemaker rate|60|ppm;"));
  CConfigAccuracy accuracy;
  EXPECT_EQ(rows(*print(accuracy)),
            QStringLiteral("|      Load|0|Ohm;|      Noise|0|Hz, mV;|      Pacemaker rate|40|ppm;"
                           "|      Amplitude|30|mA;"));
  CConfigDischarge discharge;
  EXPECT_EQ(rows(*print(discharge)),
            QStringLiteral("|      Amplitude|1,0 mV|mV;|      ECG wave||None;"));
}

TEST_F(ConfigReport, RowValuesFollowTheUserLocale) {
  for (const auto& [locale, fraction] :
       {std::pair{LocaleScope::english(), "43.8"}, std::pair{LocaleScope::german(), "43,8"}}) {
    SCOPED_TRACE(qPrintable(locale.name()));
    const LocaleScope scope(locale);
    CConfigSensitivity sensitivity;
    sensitivity.Load(
        plugInData(QStringLiteral("<RangeHigh>1.5</RangeHigh><RangeLow>0.4</RangeLow>"
                                  "<Load>43.8K Ohm</Load><TriggerWave>40 ms Tri.</TriggerWave>")),
        nullptr);
    EXPECT_EQ(rows(*print(sensitivity)),
              QStringLiteral("|      Selected range high|2|mV;|      Selected range low|0|mV;"
                             "|      Load|43.8K Ohm|Ohm;|      Trigger wave|40 ms Tri.|;"));
    CConfigAccuracy accuracy;
    accuracy.SetLoadText(QStringLiteral("43.8K Ohm"));
    accuracy.SetNoiseText(QStringLiteral("60 Hz 8 mV"));
    accuracy.SetRateText(QStringLiteral("180 ppm"));
    accuracy.SetAmpText(QStringLiteral("mA"));
    EXPECT_EQ(
        rows(*print(accuracy)),
        QStringLiteral("|      Load|%1|Ohm;|      Noise|60|Hz, mV;|      Pacemaker rate|180|ppm;"
                       "|      Amplitude|0|mA;")
            .arg(QLatin1String(fraction)));
    CConfigRefractory refractory;
    refractory.SetRateText(QStringLiteral("fast"));
    EXPECT_EQ(rows(*print(refractory)),
              QStringLiteral("|      Load|Fixed load|Ohm;|      Pacemaker rate|0|ppm;"));
    CConfigDischarge discharge;
    (void)discharge.WaveCode(1);
    discharge.SetAmplitudeText(QStringLiteral("2,0 mV"));
    EXPECT_EQ(rows(*print(discharge)),
              QStringLiteral("|      Amplitude|2,0 mV|mV;|      ECG wave|Sine 60 BPM|None;"));
  }
}

TEST_F(ConfigReport, RowLabelsAreTheReportsTranslations) {
  CConfigRefractory refractory;
  auto report = print(refractory);
  QStringList keys;
  for (const testsupport::ReportCall& call : report->calls())
    if (call.name == QStringLiteral("Translate")) keys.append(call.args.at(1).toString());
  EXPECT_EQ(keys, (QStringList{"310::Configuration", "231::Value", "234::Unit", "20140::Load",
                               "20050::Pacemaker rate"}));
}

// A report whose calls fail one by one.
class FailingReport : public testsupport::RecordingReport {
 public:
  QString failing;
  QString Translate(const QString& product, const QString& key,
                    const QVariantList& params) override {
    if (key.startsWith(failing)) rt::raise(rt::err::InvalidCall);
    return testsupport::RecordingReport::Translate(product, key, params);
  }
  rt::Long PageWidth(rt::Long shape) override {
    if (failing == QStringLiteral("PageWidth")) rt::raise(rt::err::InvalidCall);
    return testsupport::RecordingReport::PageWidth(shape);
  }
  void TableGrid(bool grid) override {
    if (failing == QStringLiteral("TableGrid")) rt::raise(rt::err::InvalidCall);
    testsupport::RecordingReport::TableGrid(grid);
  }
};

TEST_F(ConfigReport, AFailingReportCallIsSkippedAndTheRestRuns) {
  CConfigRefractory config;
  auto report = std::make_shared<FailingReport>();
  report->failing = QStringLiteral("TableGrid");
  config.PrintReport(report);
  EXPECT_EQ(report->callNames().last(), QStringLiteral("AddTable"));

  report = std::make_shared<FailingReport>();
  report->failing = QStringLiteral("PageWidth");
  config.PrintReport(report);
  EXPECT_EQ(addTable(*report).args.at(0).toString(),
            QStringLiteral("<+560|<2240|>+-560|>+-560|>+-560|>+-560!|<+560;"));

  report = std::make_shared<FailingReport>();
  report->failing = QStringLiteral("231::");
  config.PrintReport(report);
  EXPECT_EQ(addTable(*report).args.at(1).toString(),
            QStringLiteral("|{\\i\\b Configuration}|{\\i\\b }|{\\i\\b Unit};"));

  report = std::make_shared<FailingReport>();
  report->failing = QStringLiteral("20140::");
  config.PrintReport(report);
  EXPECT_EQ(rows(*report), QStringLiteral("|      Pacemaker rate|60|ppm;"));
  EXPECT_TRUE(reported().isEmpty());
}

TEST_F(ConfigReport, AValueThatCannotBeFormattedLeavesOutOnlyItsOwnRow) {
  const QString huge = QStringLiteral("1e400 ppm");  // beyond what a number can hold
  auto printedRows = [&](host::IConfigData& config) {
    auto report = print(config);
    return report->callNames().last() == QStringLiteral("AddTable") ? rows(*report) : QString();
  };
  CConfigRefractory refractory;
  refractory.SetRateText(huge);
  EXPECT_EQ(printedRows(refractory), QStringLiteral("|      Load|Fixed load|Ohm;"));

  CConfigAccuracy accuracy;
  accuracy.SetLoadText(QStringLiteral("50 Ohm"));
  accuracy.SetNoiseText(huge);
  accuracy.SetRateText(QStringLiteral("70 ppm"));
  accuracy.SetAmpText(QStringLiteral("60 mA"));
  EXPECT_EQ(
      printedRows(accuracy),
      QStringLiteral("|      Load|50|Ohm;|      Pacemaker rate|70|ppm;|      Amplitude|60|mA;"));
  EXPECT_TRUE(reported().isEmpty());
}

}  // namespace
