// A standards collection printing its standards beside the measurement
// table of a test.

#include <gtest/gtest.h>

#include <optional>

#include "LocaleScope.h"
#include "MakeLimit.h"
#include "RecordingReport.h"
#include "TestSupport.h"
#include "limits/Limit.h"
#include "limits/Standard.h"
#include "limits/StandardsCollection.h"
#include "report/HostReport.h"
#include "report/MeasurementTable.h"
#include "report/VerdictRounding.h"
#include "runtime/ErrorHandling.h"
#include "typelib/IMeasurement.h"

namespace {

using namespace host;
using testsupport::RecordingReport;
using testsupport::ReportCall;
using testsupport::ReportCalls;

class FakeMeasurement : public IMeasurement {
 public:
  FakeMeasurement(QString key, QVariant value, QVariant preset, QString unit)
      : key_(std::move(key)),
        value_(std::move(value)),
        preset_(std::move(preset)),
        unit_(std::move(unit)) {}
  QString Description() override { return key_; }
  QString Key() override { return key_; }
  QString LimitKey() override { return key_; }
  rt::Long Status() override { return 0; }
  QString Unit() override { return unit_; }
  QVariant Value() override { return value_; }
  QVariant PresetValue() override { return preset_; }
  rt::Long ValueType() override { return 4; }
  QString ValueFormat() override { return QStringLiteral("# ##0.0"); }
  rt::Long Flags() override { return 0; }
  QString ToolTipText() override { return QString(); }
  void Load(const XmlElementPtr&, const HostLogPtr&) override {}
  XmlElementPtr Save(const XmlDocumentPtr&) override { return nullptr; }

 private:
  QString key_;
  QVariant value_, preset_;
  QString unit_;
};

LimitPtr limit(const QString& key, const QString& unit, const QString& op, float high, float low) {
  return testsupport::makeLimit(key, op, high, true, low, low != 0, unit);
}

StandardPtr standard(const QString& alpha, const QString& complete, QList<LimitPtr> limits) {
  auto s = std::make_shared<Standard>();
  s->Init(alpha, complete, 1);
  for (const LimitPtr& l : limits) s->AddLimit(l);
  return s;
}

// Two standards of a discharge test, and its measurement table: energy with
// a preset of 200 J, delay measured, peak current without a measurement.
struct DischargeFixture {
  StandardsCollectionPtr standards = std::make_shared<StandardsCollection>();
  QVariantList table;

  DischargeFixture() {
    standards->Add(standard("IEC", "IEC 60601-2-4",
                            {limit("ENGY", "J", "X+(X*Y%)", 15, -15),
                             limit("DELY", "ms", "", 20, 0), limit("PEKU", "V", "", 5000, 0)}));
    standards->Add(standard("AAMI", "AAMI DF80", {limit("ENGY", "J", "X+Y", 10, -10)}));
    auto energy = std::make_shared<FakeMeasurement>("ENGY", 198.7f, 200.0f, "J");
    auto delay = std::make_shared<FakeMeasurement>("DELY", 25.0f, QVariant(), "ms");
    table = {QVariantList{"ENGY", "Energy", "0.0", com::toVariantOf(energy)},
             QVariantList{"DELY", "Delay", "0.0", com::toVariantOf(delay)},
             QVariantList{"PEKI", "Peak I", "0.0", com::toVariant(nullptr)},  // none
             QVariantList{"PEKU", "Peak U", "0", QVariant()}};                // empty
  }
};

QList<ReportCall> callsNamed(const ReportCalls& report, const QString& name) {
  QList<ReportCall> found;
  for (const ReportCall& call : report.calls())
    if (call.name == name) found.append(call);
  return found;
}

TEST(StandardsPrint, PrintsEveryStandardWithItsLimitsBesideTheMeasurements) {
  DischargeFixture f;
  auto report = std::make_shared<RecordingReport>();
  report->setPageWidth(9760);
  f.standards->Print(report, nullptr, f.table);

  const QList<ReportCall> texts = callsNamed(*report, "Text");
  ASSERT_EQ(texts.size(), 2);
  EXPECT_EQ(texts[0].args, QVariantList{"IEC 60601-2-4 (IEC)"});
  EXPECT_EQ(texts[1].args, QVariantList{"AAMI DF80 (AAMI)"});

  // A complete name that cites its short name is printed once.
  auto cited = std::make_shared<StandardsCollection>();
  cited->Add(standard("IEC 60601-2-4", "Energy within 15 % (IEC 60601-2-4); delay at most 60 ms",
                      {limit("ENGY", "J", "X+(X*Y%)", 15, -15)}));
  auto citedReport = std::make_shared<RecordingReport>();
  citedReport->setPageWidth(9760);
  cited->Print(citedReport, nullptr, f.table);
  const QList<ReportCall> citedTexts = callsNamed(*citedReport, "Text");
  ASSERT_FALSE(citedTexts.isEmpty());
  EXPECT_EQ(citedTexts[0].args,
            QVariantList{"Energy within 15 % (IEC 60601-2-4); delay at most 60 ms"});

  const QList<ReportCall> tables = callsNamed(*report, "AddTable");
  ASSERT_EQ(tables.size(), 2);
  EXPECT_EQ(tables[0].args[0].toString().toStdString(),
            "<+560|<2240|>+1280|>+1280|>+1280|^+1280|^+1280|<+560;");
  EXPECT_EQ(tables[0].args[1].toString().toStdString(),
            "|{\\i\\b Measurement}|{\\i\\b Low limit}|{\\i\\b High limit}|{\\i\\b Value}"
            "|{\\i\\b Unit}|{\\i\\b Verdict};");
  // Relative energy bounds for the 200 J preset; the delay fails its 20 ms;
  // rows without a measurement print their limits and nothing else.
  EXPECT_EQ(tables[0].args[2].toString().toStdString(),
            "|      Energy|170.0|230.0|198.7|J|Passed;"
            "|      Delay||20.0|25.0|ms|Failed;"
            "|      Peak I|||||;"
            "|      Peak U||5000||V|;");
  EXPECT_EQ(tables[1].args[2].toString().toStdString(),
            "|      Energy|190.0|210.0|198.7|J|Passed;"
            "|      Delay|||25.0|ms|;"
            "|      Peak I|||||;"
            "|      Peak U|||||;");
  EXPECT_FALSE(report->Font()->Bold()) << "the heading's bold is undone";
}

TEST(StandardsPrint, PrintsOnlyTheSelectedStandardsMatchedByTheirNames) {
  DischargeFixture f;
  auto selected = std::make_shared<StandardsCollection>();
  selected->Add(standard("aami", "aami df80", {}));  // another object, other letter case
  selected->Add(standard("ISO", "ISO 1", {}));       // not in the collection
  auto report = std::make_shared<RecordingReport>();
  f.standards->Print(report, selected, f.table);
  const QList<ReportCall> texts = callsNamed(*report, "Text");
  ASSERT_EQ(texts.size(), 1);
  EXPECT_EQ(texts[0].args, QVariantList{"AAMI DF80 (AAMI)"});

  auto none = std::make_shared<RecordingReport>();
  f.standards->Print(none, std::make_shared<StandardsCollection>(), f.table);
  EXPECT_TRUE(callsNamed(*none, "Text").isEmpty()) << "an empty selection selects nothing";
}

TEST(StandardsPrint, AnEmptyTablePrintsTheLimitsByKeyAndRelativeBoundsAsFormulas) {
  DischargeFixture f;
  auto report = std::make_shared<RecordingReport>();
  report->setPageWidth(2000);  // N = -272: the columns are empty, nothing breaks
  for (const QVariant& table : {QVariant(QVariantList()), QVariant(), QVariant("not a table")}) {
    f.standards->Print(report, nullptr, table);
    const QList<ReportCall> tables = callsNamed(*report, "AddTable");
    ASSERT_FALSE(tables.isEmpty());
    EXPECT_EQ(tables[tables.size() - 2].args[2].toString().toStdString(),
              "|      ENGY|X - 15 %|X + 15 %||J|;|      DELY||20||ms|;|      PEKU||5000||V|;");
    EXPECT_EQ(tables.last().args[2].toString().toStdString(), "|      ENGY|X - 10|X + 10||J|;");
  }
}

// The greater of 15 % and 3 J: its bounds for the preset, or its formula.
TEST(StandardsPrint, TheGreaterToleranceShowsItsBoundsOrItsFormula) {
  const LimitPtr energy = limit("ENGY", "J", host::kGreaterToleranceOperator, 15, -15);
  energy->SetAbsolute(host::limitindex::High, 3);
  energy->SetAbsolute(host::limitindex::Low, -3);
  auto standards = std::make_shared<StandardsCollection>();
  standards->Add(standard("IEC", "IEC 60601-2-4", {energy}));
  auto low = std::make_shared<FakeMeasurement>("ENGY", 7.0f, 5.0f, "J");
  auto report = std::make_shared<RecordingReport>();
  standards->Print(report, nullptr,
                   QVariantList{QVariantList{"ENGY", "Energy", "0.0", com::toVariantOf(low)}});
  standards->Print(report, nullptr, QVariantList());
  const QList<ReportCall> tables = callsNamed(*report, "AddTable");
  ASSERT_EQ(tables.size(), 2);
  EXPECT_EQ(tables[0].args[2].toString().toStdString(), "|      Energy|2.0|8.0|7.0|J|Passed;");
  EXPECT_EQ(tables[1].args[2].toString().toStdString(),
            "|      ENGY|X - max(15 %, 3 J)|X + max(15 %, 3 J)||J|;");
}

// Where the row's pattern would set a value on a bound it lies beyond, it
// takes the fewest decimals more that show it beyond; a bound the pattern
// rounds shows whole. Everything else keeps the pattern.
TEST(StandardsPrint, AValueRoundedOntoOrAcrossItsBoundTakesTheDecimalsItsVerdictNeeds) {
  struct Case {
    const char* name;
    QVariant value;
    std::optional<float> low, high;
    const char* pattern;
    const char *value_, *low_, *high_;
  };
  const std::optional<float> none;
  const Case cases[] = {
      {"failed above, on the bound", 115.04f, none, 115.0f, "0.0", "115.04", "", "115.0"},
      {"failed above, whole numbers", 350.4f, none, 350.0f, "0", "350.4", "", "350"},
      {"failed below, rounded up onto it", 9.5f, 10.0f, none, "0", "9.5", "10", ""},
      {"failed below, two decimals more", 84.996f, 85.0f, 115.0f, "0.0", "84.996", "85.0", "115.0"},
      {"grouped pattern", 1234.54f, none, 1234.5f, "# ##0.0", "1 234.54", "", "1 234.5"},
      {"a bound the pattern rounds shows whole", 5.76f, none, 5.75f, "0.0", "5.76", "", "5.75"},
      {"passed on the bound keeps the pattern", 115.0f, 85.0f, 115.0f, "0.0", "115.0", "85.0",
       "115.0"},
      {"passed within, rounded onto it", 114.96f, none, 115.0f, "0.0", "115.0", "", "115.0"},
      {"failed and plainly beyond", 120.04f, none, 115.0f, "0.0", "120.0", "", "115.0"},
      {"a bound the pattern rounds, value clear of it", 5.2f, none, 5.75f, "0.0", "5.2", "", "5.8"},
      {"no bound", 115.04f, none, none, "0.0", "115.0", "", ""},
      {"no number", QStringLiteral("n/a"), none, 115.0f, "0.0", "n/a", "", "115.0"},
      {"no value", QVariant(), none, 115.0f, "0.0", "", "", "115.0"},
      {"the general text shows every digit", 115.04f, none, 115.0f, "", "115.04", "", "115"},
  };
  for (const Case& c : cases) {
    const JudgedTexts texts = judgedTexts(c.value, c.low, c.high, QLatin1String(c.pattern));
    EXPECT_EQ(texts.value.toStdString(), c.value_) << c.name;
    EXPECT_EQ(texts.low.toStdString(), c.low_) << c.name;
    EXPECT_EQ(texts.high.toStdString(), c.high_) << c.name;
  }
  const testsupport::LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
  const JudgedTexts texts = judgedTexts(115.04f, std::nullopt, 115.0f, QStringLiteral("0.0"));
  EXPECT_EQ(texts.value.toStdString(), "115,04");
  EXPECT_EQ(texts.high.toStdString(), "115,0");
}

TEST(StandardsPrint, AFailedEnergyPrintsBeyondItsRelativeBound) {
  auto standards = std::make_shared<StandardsCollection>();
  standards->Add(standard("IEC", "IEC 60601-2-4", {limit("ENGY", "J", "X+(X*Y%)", 15, -15)}));
  auto energy = std::make_shared<FakeMeasurement>("ENGY", 115.04f, 100.0f, "J");
  auto report = std::make_shared<RecordingReport>();
  standards->Print(report, nullptr,
                   QVariantList{QVariantList{"ENGY", "Energy", "0.0", com::toVariantOf(energy)}});
  const QList<ReportCall> tables = callsNamed(*report, "AddTable");
  ASSERT_EQ(tables.size(), 1);
  EXPECT_EQ(tables[0].args[2].toString().toStdString(),
            "|      Energy|85.0|115.0|115.04|J|Failed;");
}

// Where the report stands after printing the IEC standard of the fixture,
// started at the given position (the top of the first page when none).
struct Printed {
  rt::Long y = 0;
  int pages = 0;
};
Printed printIec(const DischargeFixture& f, std::optional<rt::Long> startY) {
  auto selected = std::make_shared<StandardsCollection>();
  selected->Add(standard("IEC", "IEC 60601-2-4", {}));
  auto report = std::make_shared<RecordingReport>();
  if (startY) report->SetCurrentY(*startY);
  f.standards->Print(report, selected, f.table);
  return {report->CurrentY(), report->pageCount()};
}

TEST(StandardsPrint, AHeadingStaysOnThePageOfItsTablesHeaderAndFirstRow) {
  DischargeFixture f;
  const Printed fresh = printIec(f, std::nullopt);
  ASSERT_EQ(fresh.pages, 1);

  RecordingReport measure;
  measure.Font()->SetBold(true);
  const rt::Long heading = measure.TextHeight(QStringLiteral("IEC 60601-2-4 (IEC)"));
  // The heading fits at the foot of the page, its table's opening does not.
  const Printed foot = printIec(f, measure.PrintableBottom(true) - heading - 20);
  EXPECT_EQ(foot.pages, 2);
  EXPECT_EQ(foot.y, fresh.y) << "heading and table both start the next page";
}

TEST(StandardsPrint, TheHeadingsFontIsItsOwnAndTheCallersIsGivenBack) {
  // A standard without limits beside an empty table prints its heading only.
  auto standards = std::make_shared<StandardsCollection>();
  standards->Add(standard("IEC", "IEC 60601-2-4", {}));
  auto plain = std::make_shared<RecordingReport>();
  standards->Print(plain, nullptr, QVariantList());
  ASSERT_TRUE(callsNamed(*plain, "AddTable").isEmpty());

  auto styled = std::make_shared<RecordingReport>();
  const ReportFontPtr font = styled->Font();
  font->SetName(QStringLiteral("DejaVu Serif"));
  font->SetSize(30);
  font->SetItalic(true);
  standards->Print(styled, nullptr, QVariantList());
  EXPECT_EQ(styled->CurrentY(), plain->CurrentY()) << "the heading took the same room";
  EXPECT_EQ(font->Name(), QStringLiteral("DejaVu Serif"));
  EXPECT_EQ(font->Size(), 30);
  EXPECT_TRUE(font->Italic());
  EXPECT_FALSE(font->Bold());
}

TEST(StandardsPrint, ToleratesOddTablesAndWantsAReport) {
  DischargeFixture f;
  auto report = std::make_shared<RecordingReport>();
  const QVariantList odd{QVariant("not a row"), QVariantList{"ENGY"},
                         QVariantList{"DELY", "Delay", "0.0", QVariant("not an object")}};
  f.standards->Print(report, nullptr, odd);
  const QList<ReportCall> tables = callsNamed(*report, "AddTable");
  ASSERT_EQ(tables.size(), 2);
  // The row that is not a list is left out, missing cells print empty, and
  // a cell that holds no object counts as no measurement.
  EXPECT_EQ(tables[0].args[2].toString().toStdString(),
            "|      |X - 15 %|X + 15 %||J|;|      Delay||20.0||ms|;|      PEKU||5000||V|;");

  EXPECT_EQ(testsupport::errorOf([&] { f.standards->Print(nullptr, nullptr, f.table); }),
            rt::err::ObjectNotSet);
}

}  // namespace
