// The analyzer's reply to "M" read by the layout of its range: a line out
// of its columns, lengthened or of the other range is no reading at all; a
// line may end with its last field; the analyzer writes plain decimals, and
// what cannot be below 0 is not measured so.

#include "ResultCases.h"

namespace {

using namespace orvanRV1Xtst;
using namespace resultstest;

// The lines as the analyzer writes them, 59 characters and the "!".
const QString kDischarge =
    reply(59, {{1, " 195.0"}, {9, "1520.0"}, {17, "  30.4"}, {25, "    4.5"}, {35, "   4.2"}}) +
    u'!';
const QString kPacer = reply(59, {{1, "072"},
                                  {8, "  10.0"},
                                  {17, "  70.0"},
                                  {35, "  1.20"},
                                  {44, "   250"},
                                  {53, "    300"}}) +
                       u'!';

QString without(const QString& line, int column) {
  return QString(line).remove(column - 1, 1);
}
QString inserted(const QString& line, int column, const char* text) {
  return QString(line).insert(column - 1, QLatin1String(text));
}
QString replaced(const QString& line, int column, const char* text) {
  const QString t = QLatin1String(text);
  return QString(line).replace(column - 1, t.size(), t);
}

// The values a result holds, by key; an empty measurement is left out.
QVariantMap valuesOf(CResultBase& result) {
  QVariantMap values;
  for (const CMeasurementPtr& m : result.MeasurementList())
    if (m->HasValue()) values.insert(m->Key(), m->Value());
  return values;
}

enum class Reader { Discharge, ChargeTime, Accuracy, Sensitivity, Refractory };

void store(Reader reader, CResultBase& result, const QString& line) {
  switch (reader) {
    case Reader::Discharge:
      dynamic_cast<CResultDischarge&>(result).StoreResult(line);
      break;
    case Reader::ChargeTime:
      dynamic_cast<CResultChargeTime&>(result).StoreResult(line);
      break;
    case Reader::Accuracy:
      dynamic_cast<CResultAccuracy&>(result).StoreResult(line);
      break;
    case Reader::Sensitivity:
      dynamic_cast<CResultSensitivity&>(result).StoreResult(line, 0);
      break;
    case Reader::Refractory:
      dynamic_cast<CResultRefractory&>(result).StoreResult(line);
      break;
  }
}

std::shared_ptr<CResultBase> readBy(Reader reader, const QString& line) {
  std::shared_ptr<CResultBase> result;
  switch (reader) {
    case Reader::Discharge: {
      auto discharge = std::make_shared<CResultDischarge>();
      discharge->Initialize(nullptr);
      result = discharge;
      break;
    }
    case Reader::ChargeTime:
      result = makeResult<CResultChargeTime>();
      break;
    case Reader::Accuracy:
      result = makeResult<CResultAccuracy>();
      break;
    case Reader::Sensitivity:
      result = makeResult<CResultSensitivity>();
      break;
    case Reader::Refractory:
      result = makeResult<CResultRefractory>();
      break;
  }
  store(reader, *result, line);
  return result;
}

const QVariantMap kDischargeValues{
    {"ENGY", 195.0}, {"PEKU", 1520.0}, {"PEKI", 30.4}, {"DELY", 4.5}};
const QVariantMap kAccuracyValues{{"RATE", 72.0}, {"PWID", 10.0}, {"AMPL", 70.0}};
const QVariantMap kRefractoryValues{{"SENS", 250.0}, {"PACE", 300.0}};

class ReplyLine : public ResultTest {};

// A line whose every field stands in its columns is read whole; one field
// out of place, or anything after the line's last column, and nothing of it
// is taken, reported once.
TEST_F(ReplyLine, ShiftedOrLengthenedLinesAreNoReadingAndShortOnesLackWhatTheyDoNotReach) {
  const struct {
    const char* what;
    Reader reader;
    QString line;
    QVariantMap values;    // what is measured
    const char* reported;  // in the first report; "" none
  } cases[] = {
      {"discharge line", Reader::Discharge, kDischarge, kDischargeValues, ""},
      {"discharge line without its \"!\"", Reader::Discharge, kDischarge.chopped(1),
       kDischargeValues, ""},
      {"discharge line, blanks after column 40", Reader::Discharge,
       kDischarge.chopped(1) + QStringLiteral("    !"), kDischargeValues, ""},
      {"a character lost from \" 195.0\"",
       Reader::Discharge,
       without(kDischarge, 1),
       {},
       "is no defibrillator line"},
      {"a digit lost from the peak voltage",
       Reader::Discharge,
       without(kDischarge, 10),
       {},
       "is no defibrillator line"},
      {"a blank lost before the delay",
       Reader::Discharge,
       without(kDischarge, 25),
       {},
       "is no defibrillator line"},
      {"a blank more at the start",
       Reader::Discharge,
       inserted(kDischarge, 1, " "),
       {},
       "is no defibrillator line"},
      {"the energy run on into its gap",
       Reader::Discharge,
       replaced(kDischarge, 1, "  195.0"),
       {},
       "is no defibrillator line"},
      {"garbage",
       Reader::ChargeTime,
       QStringLiteral("garbage, not a measurement reply"),
       {},
       "is no defibrillator line"},
      {"a digit after column 40",
       Reader::Discharge,
       replaced(kDischarge, 45, "7"),
       {},
       "goes on after character 40"},
      {"discharge line of 22 characters",
       Reader::Discharge,
       kDischarge.left(22),
       {{"ENGY", 195.0}, {"PEKU", 1520.0}, {"PEKI", 30.4}},
       "ends before characters 25 to 31"},
      {"discharge line ending inside the delay",
       Reader::Discharge,
       kDischarge.left(28),
       {{"ENGY", 195.0}, {"PEKU", 1520.0}, {"PEKI", 30.4}},
       "ends inside characters 25 to 31"},
      {"charge time of a shifted line",
       Reader::ChargeTime,
       without(kDischarge, 36),
       {},
       "is no defibrillator line"},
      {"pacer line", Reader::Accuracy, kPacer, kAccuracyValues, ""},
      {"pacer rate lost a digit", Reader::Accuracy, without(kPacer, 1), {}, "is no pacer line"},
      {"pacer line a blank longer in its gap",
       Reader::Accuracy,
       inserted(kPacer, 5, " "),
       {},
       "is no pacer line"},
      {"digits packed across the columns",
       Reader::Accuracy,
       QStringLiteral("0721234567890123456789"),
       {},
       "is no pacer line"},
      {"a digit after column 59",
       Reader::Accuracy,
       inserted(kPacer, 60, "7"),
       {},
       "goes on after character 59"},
      {"pacer line of 3 characters",
       Reader::Accuracy,
       kPacer.left(3),
       {{"RATE", 72.0}},
       "ends before characters 17 to 22"},
      {"pacer line of 13 characters",
       Reader::Accuracy,
       kPacer.left(13),
       {{"RATE", 72.0}, {"PWID", 10.0}},
       "ends before characters 17 to 22"},
      {"periods of a line shifted to the right",
       Reader::Refractory,
       inserted(kPacer, 30, " "),
       {},
       "is no pacer line"},
      {"refractory line of 50 characters",
       Reader::Refractory,
       kPacer.left(50),
       {{"SENS", 250.0}},
       "ends before characters 53 to 59"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    errors().clear();
    const std::shared_ptr<CResultBase> result = readBy(c.reader, c.line);
    EXPECT_EQ(valuesOf(*result), c.values);
    const QList<host::ErrorEntry> faults = reported();
    if (!*c.reported) {
      EXPECT_TRUE(faults.isEmpty());
      continue;
    }
    ASSERT_FALSE(faults.isEmpty());
    EXPECT_TRUE(faults.first().description.contains(QLatin1String(c.reported)))
        << qPrintable(faults.first().description);
    EXPECT_EQ(faults.first().source, result->kind().source);
    // A line that is no reading is told once, not once for each field.
    if (c.values.isEmpty()) {
      EXPECT_EQ(faults.size(), 1);
    }
  }
}

// The reader of a line of the other range takes none of it: a pacer line is
// no discharge (72 ppm is no 72 J), and a defibrillator line no pacer's.
TEST_F(ReplyLine, ALineOfTheOtherRangeIsNoReading) {
  const struct {
    Reader reader;
    QString line;
    const char* layout;
  } cases[] = {
      {Reader::ChargeTime, kPacer, "is no defibrillator line"},
      {Reader::Discharge, kPacer, "is no defibrillator line"},
      {Reader::Discharge, kPacer.left(22), "is no defibrillator line"},
      {Reader::Sensitivity, kDischarge, "is no pacer line"},
      {Reader::Accuracy, kDischarge, "is no pacer line"},
      {Reader::Refractory, kDischarge, "is no pacer line"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(qPrintable(c.line));
    errors().clear();
    const std::shared_ptr<CResultBase> result = readBy(c.reader, c.line);
    EXPECT_TRUE(valuesOf(*result).isEmpty());
    ASSERT_EQ(reported().size(), 1);
    EXPECT_TRUE(reported().first().description.contains(QLatin1String(c.layout)));
    // Told once for the result, however often it comes.
    store(c.reader, *result, c.line);
    EXPECT_EQ(reported().size(), 1);
  }
}

// The closing "!" is not part of the line: a line that ends with its last
// field, the number standing against the "!", gives that field.
TEST_F(ReplyLine, TheLastFieldMayEndWithTheLine) {
  const struct {
    const char* what;
    Reader reader;
    QString line;
    QVariantMap values;
  } cases[] = {
      {"paced period of six characters",
       Reader::Refractory,
       replaced(kPacer.left(58), 53, "   300") + u'!',
       {{"SENS", 250.0}, {"PACE", 300.0}}},
      {"paced period of five characters",
       Reader::Refractory,
       replaced(kPacer.left(57), 53, "  310") + u'!',
       {{"SENS", 250.0}, {"PACE", 310.0}}},
      {"charge time ending with the line",
       Reader::ChargeTime,
       replaced(kDischarge.left(39), 35, "  4.2") + u'!',
       {{"ENGY", 195.0}, {"CHTI", 4.2}}},
      {"charge time of 40 characters",
       Reader::ChargeTime,
       kDischarge.left(40) + u'!',
       {{"ENGY", 195.0}, {"CHTI", 4.2}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    errors().clear();
    EXPECT_EQ(valuesOf(*readBy(c.reader, c.line)), c.values);
    EXPECT_TRUE(reported().isEmpty()) << qPrintable(reported().first().description);
  }
  // A number that stops short of the line's end is out of place.
  errors().clear();
  EXPECT_TRUE(valuesOf(*readBy(Reader::Refractory, replaced(kPacer.left(58), 53, "  300 ") + u'!'))
                  .isEmpty());
  ASSERT_EQ(reported().size(), 1);
  EXPECT_TRUE(reported().first().description.contains(QLatin1String("is no pacer line")));
}

// The analyzer writes plain decimals; blanks inside a field are ignored. A
// quantity that cannot be below 0 is not measured so; the peak voltage and
// current keep their sign.
TEST_F(ReplyLine, OnlyPlainDecimalsOfTheirSignAreMeasured) {
  const struct {
    Reader reader;
    QString line;
    const char* key;
    QVariant value;  // empty: not measured, and reported
  } cases[] = {
      {Reader::Discharge, replaced(kDischarge, 1, "   1D2"), "ENGY", {}},
      {Reader::Discharge, replaced(kDischarge, 1, "   1E2"), "ENGY", {}},
      {Reader::Discharge, replaced(kDischarge, 1, "  1e+2"), "ENGY", {}},
      {Reader::Discharge, replaced(kDischarge, 1, "   1d2"), "ENGY", {}},
      {Reader::Discharge, replaced(kDischarge, 1, " 1 5.0"), "ENGY", 15.0},
      {Reader::Discharge, replaced(kDischarge, 1, "+195.0"), "ENGY", 195.0},
      {Reader::Refractory, replaced(kPacer, 53, "   3e2"), "PACE", {}},
      {Reader::Sensitivity, replaced(kPacer, 35, " 1\t.20"), "PADS", QVariant::fromValue(1.2f)},
      {Reader::ChargeTime, replaced(kDischarge, 35, "  -4.2"), "CHTI", {}},
      {Reader::Discharge, replaced(kDischarge, 25, "   -4.5"), "DELY", {}},
      {Reader::Discharge, replaced(kDischarge, 1, "  -5.0"), "ENGY", {}},
      {Reader::Discharge, replaced(kDischarge, 9, "-152.0"), "PEKU", -152.0},
      {Reader::Discharge, replaced(kDischarge, 17, " -30.4"), "PEKI", -30.4},
      {Reader::Accuracy, replaced(kPacer, 1, "-72"), "RATE", {}},
      {Reader::Accuracy, replaced(kPacer, 8, "  -1.0"), "PWID", {}},
      {Reader::Accuracy, replaced(kPacer, 17, " -70.0"), "AMPL", {}},
      {Reader::Sensitivity, replaced(kPacer, 35, " -1.20"), "PADS", {}},
      {Reader::Refractory, replaced(kPacer, 44, "  -250"), "SENS", {}},
      {Reader::Refractory, replaced(kPacer, 53, "   -300"), "PACE", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(qPrintable(c.line));
    errors().clear();
    const std::shared_ptr<CResultBase> result = readBy(c.reader, c.line);
    EXPECT_EQ(com::must(result->MeasurementByKey(QLatin1String(c.key))).Value(), c.value);
    if (c.value.isNull()) {
      ASSERT_EQ(reported().size(), 1);
      EXPECT_TRUE(reported().first().description.contains(QLatin1String(c.key)))
          << qPrintable(reported().first().description);
    } else {
      EXPECT_TRUE(reported().isEmpty());
    }
  }
}

}  // namespace
