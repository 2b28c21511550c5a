// One measurement: its limit checks and limit values, its display texts in
// both locales, its report row and service-record text, its verdict against
// a limit set, and its stored form.

#include "ResultFixture.h"
#include "StoredElements.h"
#include "report/HostReport.h"
#include "results/CMeasurement.h"

namespace {

using namespace orvanRV1Xtst;
using namespace resultstest;

CMeasurementPtr measurement(const QString& key, rt::Long valueType, const QVariant& value,
                            const QVariant& preset = {}, const QString& pattern = QString(),
                            const QString& unit = QStringLiteral("J")) {
  auto m = std::make_shared<CMeasurement>();
  m->Initialize(key, QStringLiteral("20012::Energy"), unit, valueType);
  m->SetValue(value);
  m->SetPresetValue(preset);
  m->SetValueFormat(pattern);
  return m;
}

host::LimitPtr limit(const QString& key, std::optional<float> high, std::optional<float> low,
                     const QString& op = QString()) {
  auto made = std::make_shared<host::Limit>();
  made->Init(key, QStringLiteral("J"), QString(), QString());
  if (!op.isEmpty()) made->SetOperator(0, op);
  made->SetEnabled(host::limitindex::High, high.has_value());
  made->SetValue(host::limitindex::High, high.value_or(0));
  made->SetEnabled(host::limitindex::Low, low.has_value());
  made->SetValue(host::limitindex::Low, low.value_or(0));
  return made;
}

host::StandardPtr standardOf(std::initializer_list<host::LimitPtr> limits) {
  auto standard = std::make_shared<host::Standard>();
  standard->Init(QStringLiteral("IEC"), QStringLiteral("IEC 60601"), 1);
  for (const host::LimitPtr& l : limits) standard->AddLimit(l);
  return standard;
}

class Measurement : public ResultTest {};

TEST_F(Measurement, StartsUnevaluatedAndAnswersTheFixedMembers) {
  auto m = measurement(QStringLiteral("ENGY"), 1, {});
  EXPECT_EQ(m->Status(), 0);
  EXPECT_EQ(m->LimitKey(), QStringLiteral("ENGY"));
  EXPECT_EQ(m->Flags(), 0);
  EXPECT_TRUE(m->ToolTipText().isEmpty());
  EXPECT_FALSE(m->HasValue());
  for (rt::Long type : {1, 2, 3}) {
    auto typed = measurement(QStringLiteral("ENGY"), type, {});
    for (rt::Integer index : {0, 1, 7}) EXPECT_EQ(typed->SupportsLimit(index), type != 3) << type;
  }
}

TEST_F(Measurement, CheckLimitsFailsOnlyOutsideAnEnabledBound) {
  const struct {
    QVariant value;
    QVariant preset;
    host::LimitPtr limit;
    rt::Integer status;
  } cases[] = {
      {105.0, {}, limit("ENGY", 105, 95), 0},  // on the high bound
      {95.0f, {}, limit("ENGY", 105, 95), 0},  // on the low bound
      {105.01, {}, limit("ENGY", 105, 95), 2},
      {94.9, {}, limit("ENGY", 105, 95), 2},
      {500.0, {}, limit("ENGY", std::nullopt, 95), 0},  // high bound disabled
      {-1.0, {}, limit("ENGY", 105, std::nullopt), 0},  // low bound disabled
      {{}, {}, limit("ENGY", 105, 95), 2},              // no value counts as 0
      // Beyond the single range: still on its side of each bound.
      {1e39, {}, limit("ENGY", 105, 95), 2},
      {1e39, {}, limit("ENGY", std::nullopt, 95), 0},
      {-1e39, {}, limit("ENGY", 105, std::nullopt), 0},
      {-1e39, {}, limit("ENGY", 105, 95), 2},
      // Relative to the preset 200 J: 200 + 200 * 15 % = 230, 200 - 30 = 170.
      {230.0, 200.0f, limit("ENGY", 15, -15, "X+(X*Y%)"), 0},
      {231.0, 200.0f, limit("ENGY", 15, -15, "X+(X*Y%)"), 2},
      {169.0, 200.0, limit("ENGY", 15, -15, "X+(X*Y%)"), 2},
      {205.0, 200.0, limit("ENGY", 5, -5, "X+Y"), 0},
  };
  for (const auto& c : cases) {
    auto m = measurement(QStringLiteral("ENGY"), 1, c.value, c.preset);
    EXPECT_EQ(m->CheckLimits(c.limit), c.status) << c.value.toString().toStdString();
  }
}

TEST_F(Measurement, ValidateLimitsLooksOnlyAtItsOwnKey) {
  auto m = measurement(QStringLiteral("ENGY"), 1, 120.0);
  EXPECT_EQ(m->ValidateLimits(standardOf({limit("CHTI", 1, 0)})), 0);
  EXPECT_EQ(m->ValidateLimits(standardOf({limit("ENGY", 130, 100)})), 0);
  EXPECT_EQ(m->ValidateLimits(standardOf({limit("ENGY", 130, 100), limit("ENGY", 110, 100)})), 2);
  EXPECT_EQ(m->ValidateLimits(standardOf({limit("ENGY", 110, 100), limit("ENGY", 130, 100)})), 2)
      << "the first failing limit decides";
  EXPECT_EQ(m->ValidateLimits(nullptr), 0);
}

TEST_F(Measurement, LimitValueIsTheTightestEnabledBound) {
  auto m = measurement(QStringLiteral("ENGY"), 1, 100.0, 200.0f, QStringLiteral("# ##0.0"));
  const auto standard = standardOf({limit("ENGY", 30, std::nullopt), limit("CHTI", 1, 0),
                                    limit("ENGY", 20, -20, "X+(X*Y%)"), limit("ENGY", 25, -10)});
  EXPECT_EQ(m->GetLimitValue(standard, 0, 0), QVariant::fromValue(20.0f));
  EXPECT_EQ(m->GetLimitValue(standard, 1, 0), QVariant::fromValue(-10.0f));
  // Relative to the preset 200: the percentage limit spans 160..240.
  EXPECT_EQ(m->GetLimitValue(standard, 0, host::valueflag::Relative), QVariant::fromValue(25.0f));
  EXPECT_EQ(m->GetLimitValue(standard, 1, host::valueflag::Relative), QVariant::fromValue(160.0f));
  EXPECT_EQ(m->GetLimitValue(standard, 0, host::valueflag::AsText | host::valueflag::WithUnit),
            QVariant(QStringLiteral("20.0 %")));
  EXPECT_EQ(m->GetLimitValue(standard, 1, host::valueflag::AsText | host::valueflag::WithUnit),
            QVariant(QStringLiteral("-10.0 J")));
  EXPECT_EQ(m->GetLimitValue(standard, 1, host::valueflag::AsText),
            QVariant(QStringLiteral("-10.0")));

  // Disabled at that index, or no limit of the key: empty.
  EXPECT_FALSE(m->GetLimitValue(standardOf({limit("ENGY", std::nullopt, 5)}), 0, 0).isValid());
  EXPECT_FALSE(m->GetLimitValue(standardOf({limit("CHTI", 5, 5)}), 1, 2).isValid());
  EXPECT_FALSE(m->GetLimitValue(nullptr, 0, 0).isValid());
}

// "Within 15 % or 3 J, whichever is greater" never reads as 15 % alone;
// evaluated for a preset it is the one bound it takes there.
TEST_F(Measurement, TheGreaterToleranceShowsBothOfItsTerms) {
  const host::LimitPtr energy = limit("ENGY", 15, -15, host::kGreaterToleranceOperator);
  energy->SetAbsolute(host::limitindex::High, 3);
  energy->SetAbsolute(host::limitindex::Low, -3);
  const auto standard = standardOf({energy});
  auto m = measurement(QStringLiteral("ENGY"), 1, 7.0, 5.0f, QStringLiteral("# ##0.0"));
  const rt::Long text = host::valueflag::AsText | host::valueflag::WithUnit;
  EXPECT_EQ(m->GetLimitValue(standard, 0, text), QVariant(QStringLiteral("15.0 % or 3.0 J")));
  EXPECT_EQ(m->GetLimitValue(standard, 1, text), QVariant(QStringLiteral("-15.0 % or -3.0 J")));
  EXPECT_EQ(m->GetLimitValue(standard, 0, host::valueflag::AsText),
            QVariant(QStringLiteral("15.0 or 3.0")));
  EXPECT_EQ(m->GetLimitValue(standard, 0, text | host::valueflag::Relative),
            QVariant(QStringLiteral("8.0 J")));
  EXPECT_EQ(m->GetLimitValue(standard, 0, 0), QVariant::fromValue(15.0f));
}

TEST_F(Measurement, EqualBoundsKeepTheFirstLimitsUnit) {
  auto m = measurement(QStringLiteral("ENGY"), 1, 100.0, {}, QStringLiteral("# ##0"));
  const auto standard = standardOf({limit("ENGY", 20, 0, "X+(X*Y%)"), limit("ENGY", 20, 0)});
  EXPECT_EQ(m->GetLimitValue(standard, 0, 6), QVariant(QStringLiteral("20 %")));
  const auto reversed = standardOf({limit("ENGY", 20, 0), limit("ENGY", 20, 0, "X+(X*Y%)")});
  EXPECT_EQ(m->GetLimitValue(reversed, 0, 6), QVariant(QStringLiteral("20 J")));
}

TEST_F(Measurement, CalculateLimitValueEvaluatesTheOperatorForThePreset) {
  auto m = measurement(QStringLiteral("ENGY"), 1, 100.0, 360.0f);
  EXPECT_FLOAT_EQ(m->CalculateLimitValue(limit("ENGY", 15, -15, "X+(X*Y%)"), 0), 414.0f);
  EXPECT_FLOAT_EQ(m->CalculateLimitValue(limit("ENGY", 15, -15, "X+(X*Y%)"), 1), 306.0f);
  EXPECT_FLOAT_EQ(m->CalculateLimitValue(limit("ENGY", 15, -15), 1), -15.0f);
  EXPECT_FLOAT_EQ(m->CalculateLimitValue(nullptr, 0), 0.0f);
}

TEST_F(Measurement, FormatValueFollowsPatternKindAndKey) {
  LanguageScope english(QStringLiteral("en"));
  const struct {
    const char* key;
    rt::Long type;
    QVariant value;
    const char* pattern;
    const char* text;
  } cases[] = {
      {"ENGY", 1, {}, "# ##0.0", ""},
      {"ENGY", 1, 1234.56, "# ##0.0", "1 234.6"},
      {"PADS", 1, QVariant::fromValue(0.48f), "# ##0.00", "0.48"},
      {"PADS", 1, QVariant::fromValue(1234.5f), "# ##0.00", "1 234.50"},
      {"SENS", 2, 250.0, "# ##0", "250"},
      {"RATE", 2, -72.0, "# ##0", "-72"},
      {"CHTI", 1, 4.25, "# ##0.0", "4.3"},
      {"DELY", 1, QVariant::fromValue(4.5f), "# ##0.0", "4.5"},
      {"::3", 3, true, "", "Shock"},
      {"::3", 3, false, "", "No shock"},
      {"PERF", 3, true, "", "True"},
      {"PERF", 3, false, "", "False"},
  };
  for (const auto& c : cases) {
    auto m = measurement(QLatin1String(c.key), c.type, {}, {}, QLatin1String(c.pattern));
    EXPECT_EQ(m->FormatValue(c.value), QLatin1String(c.text)) << c.key;
  }
}

TEST_F(Measurement, DisplayUsesTheLocaleAndStorageDoesNot) {
  LocaleScope german(LocaleScope::german());
  auto chargeTime = measurement(QStringLiteral("CHTI"), 1, 4.2, {}, QStringLiteral("# ##0.0"),
                                QStringLiteral("s"));
  EXPECT_EQ(chargeTime->FormatValue(4.2), QStringLiteral("4,2"));
  EXPECT_EQ(chargeTime->GetResultValue(host::valueflag::AsText | host::valueflag::WithUnit),
            QVariant(QStringLiteral("4,2 s")));
  auto delay = measurement(QStringLiteral("DELY"), 1, {}, {}, QStringLiteral("# ##0.0"));
  EXPECT_EQ(delay->FormatValue(QVariant::fromValue(4.5f)), QStringLiteral("4,5"));
  auto energy = measurement(QStringLiteral("ENGY"), 1, 1234.5, {}, QStringLiteral("# ##0.0"));
  EXPECT_EQ(energy->FormatValue(1234.5), QStringLiteral("1 234,5"));

  QString text;
  rt::Long status = -1;
  chargeTime->SetStatus(2);
  chargeTime->GetValueText(text, status);
  EXPECT_EQ(text, QStringLiteral("4.2"));
  EXPECT_EQ(status, 2);
  auto document = std::make_shared<host::XmlDocument>();
  const host::XmlElementPtr stored = chargeTime->Save(document);
  EXPECT_EQ(com::must(stored).SelectChild(QStringLiteral("Value"))->Text(), QStringLiteral("4.2"));
}

TEST_F(Measurement, ValueTextOfTheServiceRecord) {
  const struct {
    rt::Long type;
    QVariant value;
    const char* text;
  } cases[] = {
      {1, QVariant::fromValue(0.48f), "0.48"},
      {2, 300.0, "300"},
      {1, {}, ""},
      {3, true, "True"},
      {3, {}, "False"},
      {3, false, "False"},
      {0, 12.5, "12.5"},
      {4, QStringLiteral("x"), "x"},
  };
  for (const auto& c : cases) {
    QString text = QStringLiteral("before");
    rt::Long status = -1;
    measurement(QStringLiteral("K"), c.type, c.value)->GetValueText(text, status);
    EXPECT_EQ(text, QLatin1String(c.text)) << c.type;
    EXPECT_EQ(status, 0);
  }
}

TEST_F(Measurement, ResultValueIsTheValueOrItsDisplayText) {
  auto m = measurement(QStringLiteral("ENGY"), 1, 98.76, {}, QStringLiteral("# ##0.0"));
  EXPECT_EQ(m->GetResultValue(0), QVariant(98.76));
  EXPECT_EQ(m->GetResultValue(host::valueflag::AsText), QVariant(QStringLiteral("98.8")));
  EXPECT_EQ(m->GetResultValue(6), QVariant(QStringLiteral("98.8 J")));
  auto noUnit = measurement(QStringLiteral("PERF"), 3, true, {}, {}, QString());
  EXPECT_EQ(noUnit->GetResultValue(6), QVariant(QStringLiteral("True")));
}

TEST_F(Measurement, DescriptionIsTranslatedWhenReadAndKeptAsItsKey) {
  LanguageScope german(QStringLiteral("de"));
  auto m = std::make_shared<CMeasurement>();
  m->Initialize(QStringLiteral("DELY"), QStringLiteral("20331::Time [ms]"), QStringLiteral("ms"),
                1);
  EXPECT_EQ(m->Description(), QStringLiteral("Zeit [ms]"));
  EXPECT_EQ(m->DescriptionKey(), QStringLiteral("20331::Time [ms]"));
  const host::XmlElementPtr stored = m->Save(document_);
  EXPECT_EQ(stored->SelectChild(QStringLiteral("Description"))->Text(),
            QStringLiteral("20331::Time [ms]"));
}

TEST_F(Measurement, ReportLineShowsPresetValueAndUnitUnlessOnlyFailuresAreAsked) {
  LanguageScope english(QStringLiteral("en"));
  host::HostReport report;
  auto m = measurement(QStringLiteral("ENGY"), 1, 355.0, 360.0f, QStringLiteral("# ##0.0"));
  const QString row = QStringLiteral("|      Energy|360.0|355.0|J;");
  for (rt::Long status : {0, 1, 2}) {
    m->SetStatus(status);
    report.setOptionFlags(0);
    EXPECT_EQ(m->GetReportLine(report), row);
    report.setOptionFlags(16 | 8);
    EXPECT_EQ(m->GetReportLine(report), status == 2 ? row : QString()) << status;
  }
  auto noPreset = measurement(QStringLiteral("PADS"), 1, QVariant::fromValue(1.2f), {},
                              QStringLiteral("# ##0.00"), QStringLiteral("mV"));
  report.setOptionFlags(0);
  EXPECT_EQ(noPreset->GetReportLine(report), QStringLiteral("|      Energy||1.20|mV;"));
}

TEST_F(Measurement, CalculateStatusFailsWhenOneSelectedStandardFails) {
  RunBench bench(300);
  const auto iec = bench.standard(QStringLiteral("IEC"));
  const auto aami = bench.standard(QStringLiteral("AAMI"));
  const auto unselected = bench.standard(QStringLiteral("UL"), false);
  RunBench::bound(iec, QStringLiteral("PADS"), 2.0f, 0.5f);
  RunBench::bound(aami, QStringLiteral("PADS"), 1.0f, 0.5f);
  RunBench::bound(unselected, QStringLiteral("PADS"), 0.1f, 0.0f);

  auto m = measurement(QStringLiteral("PADS"), 1, QVariant::fromValue(1.0f));
  m->CalculateStatus(bench.limits, bench.selected);
  EXPECT_EQ(m->Status(), 1) << "on AAMI's bound; the unselected UL does not count";
  m->SetValue(QVariant::fromValue(1.2f));
  m->CalculateStatus(bench.limits, bench.selected);
  EXPECT_EQ(m->Status(), 2);
  m->CalculateStatus(bench.limits, std::make_shared<host::StandardsCollection>());
  EXPECT_EQ(m->Status(), 1);
  m->CalculateStatus(nullptr, bench.selected);
  EXPECT_EQ(m->Status(), 1);

  // One that no reference owns is judged all the same.
  CMeasurement unowned;
  unowned.Initialize(QStringLiteral("PADS"), QString(), QStringLiteral("mV"), 1);
  unowned.SetValue(QVariant::fromValue(1.2f));
  unowned.CalculateStatus(bench.limits, bench.selected);
  EXPECT_EQ(unowned.Status(), 2);
}

// --- stored form ----------------------------------------------------------------

TEST_F(Measurement, SavesEveryFieldAndLoadsItBack) {
  auto m = measurement(QStringLiteral("PADS"), 1, QVariant::fromValue(1.2f), 3.0f,
                       QStringLiteral("# ##0.00"), QStringLiteral("mV"));
  m->Initialize(QStringLiteral("PADS"), QStringLiteral("20146::Sensitivity pads"),
                QStringLiteral("mV"), 1);
  m->SetStatus(2);
  const host::XmlElementPtr stored = m->Save(document_);
  EXPECT_EQ(canonical(stored),
            canonicalXml(QStringLiteral("<Measurement Key=\"PADS\">"
                                        "<Description>20146::Sensitivity pads</Description>"
                                        "<Value Type=\"1\" Kind=\"Single\">1.2</Value>"
                                        "<Unit>mV</Unit><Status Code=\"2\"/></Measurement>")));

  auto loaded = std::make_shared<CMeasurement>();
  auto log = std::make_shared<host::HostLog>();
  loaded->Load(stored, log);
  EXPECT_EQ(loaded->Key(), QStringLiteral("PADS"));
  EXPECT_EQ(loaded->DescriptionKey(), QStringLiteral("20146::Sensitivity pads"));
  EXPECT_EQ(loaded->Value(), QVariant::fromValue(1.2f));
  EXPECT_EQ(loaded->ValueType(), 1);
  EXPECT_EQ(loaded->Unit(), QStringLiteral("mV"));
  EXPECT_EQ(loaded->Status(), 2);
  EXPECT_FALSE(loaded->PresetValue().isValid()) << "presets come from the configuration";
  EXPECT_TRUE(reported().isEmpty());
  ASSERT_EQ(log->entries().size(), 2);
  EXPECT_EQ(log->entries().first().text, QStringLiteral("RV-1X"));
  EXPECT_TRUE(log->openSteps().isEmpty());
}

TEST_F(Measurement, OptionalChildrenAreLeftOutAndAStatusTextTravels) {
  auto m = std::make_shared<CMeasurement>();
  m->Initialize(QStringLiteral("::2"), QString(), QString(), 3);
  const host::XmlElementPtr stored = m->Save(document_);
  EXPECT_EQ(canonical(stored), canonicalXml(QStringLiteral(
                                   "<Measurement Key=\"::2\"><Value Type=\"3\" Kind=\"Empty\"/>"
                                   "<Status Code=\"0\"/></Measurement>")));

  auto loaded = std::make_shared<CMeasurement>();
  loaded->Load(element(QStringLiteral("<Measurement Key=\"X\"><Other>1</Other>"
                                      "<Status Code=\"1\">checked</Status></Measurement>")),
               nullptr);
  EXPECT_EQ(loaded->StatusText(), QStringLiteral("checked"));
  EXPECT_EQ(canonical(loaded->Save(document_)),
            canonicalXml(QStringLiteral("<Measurement Key=\"X\"><Value Type=\"0\" Kind=\"Empty\"/>"
                                        "<Status Code=\"1\">checked</Status></Measurement>")));
}

TEST_F(Measurement, SaveWithoutKeyMakesNothing) {
  auto m = std::make_shared<CMeasurement>();
  host::XmlElementPtr stored;
  EXPECT_EQ(errorOf([&] { stored = m->Save(document_); }), 0);
  EXPECT_FALSE(stored);
  EXPECT_TRUE(errors().entries().isEmpty());
}

TEST_F(Measurement, SaveHandsOnItsErrorWhenTheDocumentMakesNoElement) {
  auto m = measurement(QStringLiteral("ENGY"), 1, 1.0);
  const rt::RuntimeError raised = raisedBy([&] {
    m->Save(std::make_shared<testsupport::RefusingDocument>(QStringLiteral("Measurement")));
  });
  EXPECT_EQ(raised.Number(), kMeasurementSaveError);
  EXPECT_EQ(raised.Source(), QStringLiteral("RV1XTests.CMeasurement"));
  ASSERT_EQ(errors().entries().size(), 1);
  EXPECT_EQ(errors().entries().first().severity, 4);
  EXPECT_TRUE(reported().isEmpty());
}

TEST_F(Measurement, LoadRejectsAForeignElementOrAMissingKeyWithItsError) {
  const struct {
    const char* xml;
    rt::Long severity;
    bool logged;
  } cases[] = {
      {"<measurement Key=\"ENGY\"/>", 4, false},
      {"<Value Key=\"ENGY\"/>", 4, false},
      {"<Measurement><Unit>J</Unit></Measurement>", 2, true},
      {"<Measurement Key=\"\"/>", 2, true},
  };
  for (const auto& c : cases) {
    errors().clear();
    auto log = std::make_shared<host::HostLog>();
    auto m = measurement(QStringLiteral("OLD"), 1, 5.0);
    EXPECT_EQ(errorOf([&] { m->Load(element(QLatin1String(c.xml)), log); }), kMeasurementLoadError)
        << c.xml;
    ASSERT_EQ(errors().entries().size(), 1);
    EXPECT_EQ(errors().entries().first().severity, c.severity);
    EXPECT_EQ(errors().entries().first().source, QStringLiteral("RV1XTests.CMeasurement"));
    EXPECT_TRUE(log->openSteps().isEmpty()) << c.xml;
    bool logged = false;
    for (const host::LogEntry& entry : log->entries())
      if (entry.kind == host::LogEntry::Message) {
        logged = true;
        EXPECT_EQ(entry.text,
                  QStringLiteral("Can not load a measurement because its key is missing"));
        EXPECT_EQ(entry.number, kMeasurementLoadError);
        EXPECT_EQ(entry.severity, 2);
      }
    EXPECT_EQ(logged, c.logged) << c.xml;
    EXPECT_EQ(m->Value(), QVariant(5.0)) << "nothing read from a rejected element";
  }
  // Without a log nothing is logged and the error is the same.
  auto m = std::make_shared<CMeasurement>();
  EXPECT_EQ(errorOf([&] { m->Load(element(QStringLiteral("<Measurement/>")), nullptr); }),
            kMeasurementLoadError);
}

TEST_F(Measurement, MalformedTextsReadAsNoValueAndOverflowIsReported) {
  auto m = std::make_shared<CMeasurement>();
  m->Load(element(QStringLiteral("<Measurement Key=\"ENGY\"><Value Type=\"x\" Kind=\"Double\">"
                                 "12abc</Value><Status Code=\"two\"/></Measurement>")),
          nullptr);
  EXPECT_FALSE(m->HasValue()) << "a value that does not read back is not made up";
  EXPECT_EQ(m->ValueType(), 0);
  EXPECT_EQ(m->Status(), 0);
  EXPECT_TRUE(reported().isEmpty());

  auto log = std::make_shared<host::HostLog>();
  auto overflowing = std::make_shared<CMeasurement>();
  EXPECT_EQ(errorOf([&] {
              overflowing->Load(
                  element(QStringLiteral("<Measurement Key=\"ENGY\"><Unit>J</Unit>"
                                         "<Status Code=\"99999999999\"/><Unit>kJ</Unit>"
                                         "</Measurement>")),
                  log);
            }),
            0);
  ASSERT_EQ(reported().size(), 1);
  EXPECT_EQ(reported().first().number, rt::err::Overflow);
  EXPECT_EQ(reported().first().source, QStringLiteral("RV1XTests.CMeasurement"));
  EXPECT_EQ(overflowing->Unit(), QStringLiteral("J")) << "what was read before stays";
  EXPECT_TRUE(log->openSteps().isEmpty());
}

}  // namespace
