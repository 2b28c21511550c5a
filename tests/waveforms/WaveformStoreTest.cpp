// The stored "Waveform" element: what Save writes, what Load reads back, and
// how both fail.

#include "WaveformFixture.h"
#include "services/HostLog.h"

namespace {

using namespace orvanRV1Xtst;
using namespace waveformtest;

class WaveformStore : public WaveformTest {};

TEST_F(WaveformStore, SavesTheValuesTheGenerationAndThePrintFlag) {
  auto mk3 = std::make_shared<CWaveformMkIII>();
  mk3->Initialize(block(counts12({0, 50, 1000, 500})), QStringLiteral("L!"));
  mk3->SetIncludeInReport(true);
  // The shortest texts of the single-precision samples.
  EXPECT_EQ(xmlOf(mk3->Save(document_)),
            QStringLiteral("<Waveform Mk=\"III\">0;-0.555;-11.099999;-5.5499997"
                           "<PrintWaveform>True</PrintWaveform></Waveform>"));

  // The same values in an older waveform: no "Mk".
  auto mk2 = std::make_shared<CWaveFormMkII>();
  mk2->Load(element(QStringLiteral("<Waveform>1.5;-2</Waveform>")), nullptr);
  EXPECT_EQ(xmlOf(mk2->Save(document_)),
            QStringLiteral("<Waveform>1.5;-2<PrintWaveform>False</PrintWaveform></Waveform>"));

  // A fresh older waveform has 150 samples of 0.
  const host::XmlElementPtr fresh = CWaveFormMkII().Save(document_);
  ASSERT_TRUE(fresh);
  EXPECT_EQ(fresh->OwnText(), QStringList(150, QStringLiteral("0")).join(u';'));
  EXPECT_TRUE(errors().entries().isEmpty());
}

TEST_F(WaveformStore, RoundTripKeepsEverySampleInAnyLocale) {
  testsupport::LocaleScope german(testsupport::LocaleScope::german());
  QList<int> raw;
  for (int i = 0; i < 1000; ++i) raw.append((i * 37) % 4096 - 2048);
  auto saved = std::make_shared<CWaveformMkIII>();
  saved->Initialize(block(counts12(raw)), QStringLiteral("L!"));

  // Through a file, as the host stores a test.
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("wave.xml"));
  auto out = std::make_shared<host::XmlDocument>();
  out->SetDocumentElement(saved->Save(out));
  out->SaveFile(file);
  auto in = std::make_shared<host::XmlDocument>();
  in->Load(file);

  auto loaded = std::make_shared<CWaveformMkIII>();
  loaded->SetIncludeInReport(true);
  loaded->Load(in->DocumentElement(), nullptr);
  EXPECT_EQ(loaded->ValueCount(), 1000);
  EXPECT_EQ(values(*loaded), values(*saved));
  EXPECT_FALSE(loaded->IncludeInReport());
  EXPECT_TRUE(errors().entries().isEmpty());
}

TEST_F(WaveformStore, LoadReadsLeadingNumbersOfTheOwnTextOnly) {
  struct Case {
    const char* xml;
    QList<rt::Single> mk3;
  };
  const Case cases[] = {
      {"<Waveform>1.5abc; -2 ;x;7e1</Waveform>", {1.5f, -2.0f, 0.0f, 70.0f}},
      {"<Waveform>1;2;</Waveform>", {1, 2, 0}},
      {"<Waveform/>", {}},
      // The child's "True" is not a sample.
      {"<Waveform><PrintWaveform>True</PrintWaveform></Waveform>", {}},
      {"<Waveform>3;<PrintWaveform>True</PrintWaveform>4</Waveform>", {3, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.xml);
    CWaveformMkIII mk3;
    mk3.Load(element(QLatin1String(c.xml)), nullptr);
    EXPECT_EQ(mk3.ValueCount(), c.mk3.size());
    EXPECT_EQ(values(mk3), c.mk3);
  }
  EXPECT_TRUE(errors().entries().isEmpty());
}

TEST_F(WaveformStore, OlderGenerationLoadsIntoItsFixedArray) {
  CWaveFormMkII mk2;
  mk2.Load(element(QStringLiteral("<Waveform>1;2;3;4;5</Waveform>")), nullptr);
  mk2.Load(element(QStringLiteral("<Waveform>9;8;7</Waveform>")), nullptr);
  EXPECT_EQ(mk2.ValueCount(), 3);
  QList<rt::Single> v = values(mk2);
  ASSERT_EQ(v.size(), 150);
  // Entries behind the samples keep what they held; they are no samples.
  EXPECT_EQ(v.mid(0, 6), (QList<rt::Single>{9, 8, 7, 4, 5, 0}));
  EXPECT_EQ(validSamples(mk2), (QList<rt::Single>{9, 8, 7}));

  QStringList many;
  for (int i = 0; i < 200; ++i) many.append(QString::number(i));
  mk2.Load(element(QStringLiteral("<Waveform>%1</Waveform>").arg(many.join(u';'))), nullptr);
  EXPECT_EQ(mk2.ValueCount(), 150);
  v = values(mk2);
  ASSERT_EQ(v.size(), 150);
  EXPECT_EQ(v.at(149), 149.0f);
}

TEST_F(WaveformStore, PrintFlagReadsBackOnlyFromAnExactTrue) {
  struct Case {
    const char* child;
    bool before;
    bool after;
  };
  const Case cases[] = {
      {"<PrintWaveform>True</PrintWaveform>", false, true},
      {"<PrintWaveform>true</PrintWaveform>", true, false},
      {"<PrintWaveform>False</PrintWaveform>", true, false},
      {"<PrintWaveform/>", true, false},
      {"", true, true},
      {"", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.child);
    CWaveformMkIII mk3;
    mk3.SetIncludeInReport(c.before);
    mk3.Load(element(QStringLiteral("<Waveform>1%1</Waveform>").arg(QLatin1String(c.child))),
             nullptr);
    EXPECT_EQ(mk3.IncludeInReport(), c.after);
  }
}

TEST_F(WaveformStore, LoadLogsOneStepAndReportsItsFailures) {
  auto log = std::make_shared<host::HostLog>();
  CWaveformMkIII mk3;
  mk3.Load(element(QStringLiteral("<Waveform>1;2</Waveform>")), log);
  ASSERT_EQ(log->entries().size(), 2);
  EXPECT_EQ(log->entries().at(0).kind, host::LogEntry::Begin);
  EXPECT_TRUE(log->entries().at(0).text.isEmpty());
  EXPECT_TRUE(log->entries().at(0).text2.isEmpty());
  EXPECT_EQ(log->entries().at(1).kind, host::LogEntry::End);
  EXPECT_TRUE(log->openSteps().isEmpty());

  // A value beyond single precision, and no element at all: reported, the
  // step ended, no valid samples; the caller sees no error.
  const struct {
    const char* what;
    host::XmlElementPtr element;
    rt::Long error;
  } failing[] = {
      {"overflow", element(QStringLiteral("<Waveform>1;1e300</Waveform>")), 6},
      {"nothing", nullptr, 91},
  };
  for (const auto& f : failing) {
    SCOPED_TRACE(f.what);
    errors().clear();
    EXPECT_EQ(testsupport::errorOf([&] { mk3.Load(f.element, log); }), 0);
    EXPECT_EQ(mk3.ValueCount(), 0);
    EXPECT_TRUE(log->openSteps().isEmpty());
    ASSERT_EQ(errors().reported().size(), 1);
    EXPECT_EQ(errors().reported().at(0).number, f.error);
    EXPECT_EQ(errors().reported().at(0).source, QStringLiteral("RV1XTests.CWaveForm"));
  }
  // Nothing without samples is saved.
  EXPECT_FALSE(mk3.Save(document_));
}

TEST_F(WaveformStore, SaveFailures) {
  CWaveFormMkII mk2;
  // The document refuses the element: the waveform's own number goes on to
  // the caller, raised once with its source and severity 3.
  const rt::RuntimeError raised = testsupport::raisedBy([&] {
    mk2.Save(std::make_shared<testsupport::RefusingDocument>(QStringLiteral("Waveform")));
  });
  EXPECT_EQ(raised.Number(), kWaveformSaveError);
  EXPECT_EQ(raised.Source(), QStringLiteral("RV1XTests.CWaveForm"));
  ASSERT_EQ(errors().entries().size(), 1);
  const host::ErrorEntry& entry = errors().entries().at(0);
  EXPECT_FALSE(entry.reported);
  EXPECT_EQ(entry.product, QStringLiteral("RV-1X"));
  EXPECT_EQ(entry.number, rt::hresult(0x8004A3ECu));
  EXPECT_EQ(entry.severity, 3);

  // No document: reported, none returned.
  errors().clear();
  host::XmlElementPtr saved;
  EXPECT_EQ(testsupport::errorOf([&] { saved = mk2.Save(nullptr); }), 0);
  EXPECT_FALSE(saved);
  ASSERT_EQ(errors().reported().size(), 1);
  EXPECT_EQ(errors().reported().at(0).number, rt::err::ObjectNotSet);

  // Nothing to save: none, and the caller hears of it.
  errors().clear();
  EXPECT_FALSE(CWaveformMkIII().Save(document_));
  ASSERT_EQ(errors().reported().size(), 1);
  EXPECT_EQ(errors().reported().at(0).number, rt::err::ObjectNotSet);
  EXPECT_EQ(errors().reported().at(0).source, QStringLiteral("RV1XTests.CWaveForm"));
}

}  // namespace
