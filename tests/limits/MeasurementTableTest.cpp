// The measurement table that the limit set prints its standards with.

#include <gtest/gtest.h>

#include "LimitFixtures.h"
#include "report/HostReport.h"
#include "settings/MeasurementTable.h"

namespace {

using namespace limitfixtures;
namespace MMiscUtils = orvanRV1Xtst::MMiscUtils;

// A report whose translation shows which text key it was asked for, or
// fails.
class MarkingReport final : public host::HostReport {
 public:
  bool fails = false;
  QString Translate(const QString& product, const QString& textKey, const QVariantList&) override {
    if (fails) rt::raise(rt::err::InvalidCall);
    return QStringLiteral("%1[%2]").arg(product, textKey);
  }
};

QVariantList rowsOf(const QVariant& table) {
  EXPECT_EQ(table.typeId(), QMetaType::QVariantList);
  return table.toList();
}

TEST(MeasurementTable, RowsPerTestType) {
  const struct {
    rt::Long testID;
    QList<QStringList> rows;  // key, caption text key, pattern
  } cases[] = {
      {100, {{"CHTI", "20011::Charge time", "0.0"}, {"ENGY", "20136::Energy", "0.0"}}},
      {200,
       {{"ENGY", "20130::Energy", "0.0"},
        {"DELY", "20133::Delay", "0.0"},
        {"PEKI", "20131::Peak I", "0.0"},
        {"PEKU", "20132::Peak U", "0.0"}}},
      {300, {{"PADS", "20142::Limit Pads", "0.0"}, {"ECG", "20143::Limit ECG", "0.0"}}},
      {400, {{"SENS", "20145::Sensed Rp", "0"}, {"PACE", "20144::Paced Rp", "0"}}},
      {500,
       {{"RATE", "20072::Rate", "0"},
        {"AMPL", "20070::Amplitude", "0"},
        {"PWID", "20073::Pulse width", "0.0"}}},
      {600, {}},
      {700, {}},
      {0, {}},
  };
  auto report = std::make_shared<MarkingReport>();
  for (const auto& c : cases) {
    const QVariantList rows =
        rowsOf(MMiscUtils::BuildMeasurementTable(report, std::make_shared<TestElement>(c.testID)));
    ASSERT_EQ(rows.size(), c.rows.size()) << c.testID;
    for (int i = 0; i < rows.size(); ++i) {
      const QVariantList cells = rows.at(i).toList();
      ASSERT_EQ(cells.size(), 4) << c.testID;
      EXPECT_EQ(cells.at(0).toString(), c.rows[i][0]) << c.testID;
      EXPECT_EQ(cells.at(1).toString(), QStringLiteral("RV-1X[%1]").arg(c.rows[i][1])) << c.testID;
      EXPECT_EQ(cells.at(2).toString(), c.rows[i][2]) << c.testID;
    }
  }
}

TEST(MeasurementTable, MeasurementCellIsEmptyWithoutResultAndNothingWithoutMeasurement) {
  auto test = std::make_shared<TestElement>(200);
  auto report = std::make_shared<MarkingReport>();
  for (const QVariant& row : rowsOf(MMiscUtils::BuildMeasurementTable(report, test))) {
    const QVariantList cells = row.toList();
    EXPECT_FALSE(cells.at(3).isValid()) << "no result: the cell stays empty";
    EXPECT_FALSE(cells.at(0).toString().isEmpty());
    EXPECT_FALSE(cells.at(1).toString().isEmpty());
  }

  auto result = std::make_shared<Result>();
  const auto energy = std::make_shared<Measurement>(QStringLiteral("ENGY"), 101.5);
  result->add(energy);
  test->result = result;
  const QVariantList rows = rowsOf(MMiscUtils::BuildMeasurementTable(report, test));
  ASSERT_EQ(rows.size(), 4);
  const QVariant held = rows.at(0).toList().at(3);
  EXPECT_EQ(com::toObject(held), energy);
  const QVariant missing = rows.at(1).toList().at(3);
  EXPECT_TRUE(missing.isValid()) << "a result without DELY answers Nothing, which is kept";
  EXPECT_FALSE(com::toObject(missing));
}

TEST(MeasurementTable, FailedTranslationLeavesOnlyTheCaptionEmpty) {
  auto test = std::make_shared<TestElement>(100);
  auto result = std::make_shared<Result>();
  result->add(std::make_shared<Measurement>(QStringLiteral("CHTI"), 4.2));
  test->result = result;
  auto failing = std::make_shared<MarkingReport>();
  failing->fails = true;
  for (const host::HostReportPtr& report : {host::HostReportPtr(failing), host::HostReportPtr()}) {
    const QVariantList rows = rowsOf(MMiscUtils::BuildMeasurementTable(report, test));
    ASSERT_EQ(rows.size(), 2);
    const QVariantList cells = rows.at(0).toList();
    EXPECT_EQ(cells.at(0).toString(), QStringLiteral("CHTI"));
    EXPECT_FALSE(cells.at(1).isValid());
    EXPECT_EQ(cells.at(2).toString(), QStringLiteral("0.0"));
    EXPECT_TRUE(com::toObject(cells.at(3)));
  }
}

TEST(MeasurementTable, TestThatCannotTellItsTypeGivesTheEmptyTable) {
  auto report = std::make_shared<MarkingReport>();
  auto failing = std::make_shared<TestElement>(100);
  failing->failWith = rt::err::InvalidCall;
  EXPECT_TRUE(rowsOf(MMiscUtils::BuildMeasurementTable(report, failing)).isEmpty());
  EXPECT_TRUE(rowsOf(MMiscUtils::BuildMeasurementTable(report, nullptr)).isEmpty());
}

}  // namespace
