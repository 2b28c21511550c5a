// Decoding the analyzer's waveform block, for both generations: scales by
// range reply, the 16-bit and 12-bit encodings, block sizes, and blocks that
// are not whole.

#include "WaveformFixture.h"

namespace {

using namespace orvanRV1Xtst;
using namespace waveformtest;

class WaveformDecode : public WaveformTest {};

TEST_F(WaveformDecode, FreshObjectsOfBothGenerations) {
  CWaveFormMkII mk2;
  EXPECT_EQ(mk2.Resolution(), 10);
  EXPECT_EQ(mk2.ValueCount(), 150);
  EXPECT_EQ(values(mk2), QList<rt::Single>(150, 0.0f));
  EXPECT_FALSE(mk2.IncludeInReport());

  CWaveformMkIII mk3;
  EXPECT_EQ(mk3.Resolution(), 250);
  EXPECT_EQ(mk3.ValueCount(), 0);
  EXPECT_TRUE(values(mk3).isEmpty());
  EXPECT_FALSE(mk3.IncludeInReport());

  mk3.SetIncludeInReport(true);
  EXPECT_TRUE(mk3.IncludeInReport());
}

TEST_F(WaveformDecode, ScaleComesFromTheExactRangeReply) {
  struct Case {
    const char* range;
    rt::Single mk2;
    rt::Single mk3;
  };
  const Case cases[] = {
      {"H!", 0.05f, -0.05f}, {"L!", 0.01f, -0.0111f}, {"h!", 0, 0},
      {"H", 0, 0},           {"L! ", 0, 0},           {"", 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.range);
    EXPECT_EQ(CWaveFormMkII().ScaleFor(QLatin1String(c.range)), c.mk2);
    EXPECT_EQ(CWaveformMkIII().ScaleFor(QLatin1String(c.range)), c.mk3);
  }
  // An unknown range gives samples of 0, not missing samples.
  CWaveformMkIII mk3;
  mk3.Initialize(block(counts12({100, -100})), QStringLiteral("h!"));
  EXPECT_EQ(values(mk3), (QList<rt::Single>{0, 0}));
  EXPECT_TRUE(errors().reported().isEmpty());
}

TEST_F(WaveformDecode, OlderGenerationSixteenBitSamples) {
  struct Case {
    int hi, lo;
    const char* range;
    rt::Single amperes;
  };
  const Case cases[] = {
      {0x01, 0x2C, "H!", 15.0f},     // 300 counts
      {0x80, 0x00, "H!", -1638.4f},  // -32768
      {0x7F, 0xFF, "H!", 1638.35f},  // 32767
      {0xFF, 0xFF, "H!", -0.05f},    // -1
      {0x01, 0x2C, "L!", 3.0f},      //
      {0xFE, 0xD4, "L!", -3.0f},     // -300
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.hi << "," << c.lo << " " << c.range);
    QByteArray bytes = pairs({{c.hi, c.lo}});
    bytes.append(QByteArray(298, '\0'));
    CWaveFormMkII mk2;
    mk2.Initialize(block(bytes), QLatin1String(c.range));
    EXPECT_EQ(mk2.ValueCount(), 150);
    EXPECT_FLOAT_EQ(values(mk2).at(0), c.amperes);
  }
  EXPECT_TRUE(errors().reported().isEmpty());
}

TEST_F(WaveformDecode, OlderGenerationTakesTheFirst150SamplesOfTheLinksBlock) {
  // The link reads 2000 bytes from an older analyzer; the samples are the
  // first 300 of them.
  QList<int> raw;
  for (int i = 0; i < 1000; ++i) raw.append(i < 150 ? i : 9999);
  CWaveFormMkII mk2;
  mk2.Initialize(block(counts(raw)), QStringLiteral("H!"));
  EXPECT_EQ(mk2.ValueCount(), 150);
  const QList<rt::Single> v = values(mk2);
  ASSERT_EQ(v.size(), 150);
  EXPECT_FLOAT_EQ(v.at(1), 0.05f);
  EXPECT_FLOAT_EQ(v.at(149), 149 * 0.05f);
  EXPECT_TRUE(errors().reported().isEmpty());

  // Exactly 300 bytes (what the older analyzer itself sends) is whole too.
  CWaveFormMkII exact;
  exact.Initialize(block(counts(raw.mid(0, 150))), QStringLiteral("H!"));
  EXPECT_EQ(exact.ValueCount(), 150);
  EXPECT_TRUE(errors().reported().isEmpty());
}

TEST_F(WaveformDecode, NewerGenerationTwelveBitCounts) {
  struct Case {
    int hi, lo;
    rt::Integer count;
  };
  // Beyond 12 bits the high byte is not masked: the sum less 4096, and a
  // sum beyond 16 bits wraps to a negative number.
  const Case cases[] = {
      {0x00, 0x00, 0},     {0x00, 0x01, 1},      {0x07, 0xFF, 2047}, {0x08, 0x00, -2048},
      {0x0F, 0xFF, -1},    {0x03, 0xE8, 1000},   {0x10, 0x00, 0},    {0x12, 0x34, 564},
      {0x7F, 0xFF, 28671}, {0x80, 0x00, -32768}, {0xFF, 0xFF, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.hi << "," << c.lo);
    rt::Integer count = 0;
    const rt::Long error = testsupport::errorOf([&] {
      count = CWaveformMkIII::BytesToInt(static_cast<rt::Byte>(c.hi), static_cast<rt::Byte>(c.lo));
    });
    EXPECT_EQ(error, 0);
    EXPECT_EQ(count, c.count);
  }
}

TEST_F(WaveformDecode, NewerSamplesWithBitsBeyondTwelveAreKeptAndReportedOnce) {
  QByteArray wide = counts12({100, 200});
  wide.append(pairs({{0x12, 0x34}, {0x00, 0x10}, {0x10, 0x00}, {0x01, 0x00}}));
  CWaveformMkIII mk3;
  mk3.Initialize(block(wide), QStringLiteral("L!"));
  EXPECT_EQ(mk3.ValueCount(), 6);
  const QList<rt::Single> v = values(mk3);
  ASSERT_EQ(v.size(), 6);
  const QList<int> expected{100, 200, 564, 16, 0, 256};
  for (qsizetype i = 0; i < v.size(); ++i)
    EXPECT_FLOAT_EQ(v.at(i), static_cast<rt::Single>(expected.at(i) * -0.0111f)) << i;
  const QList<host::ErrorEntry> reported = errors().reported();
  ASSERT_EQ(reported.size(), 1);
  EXPECT_EQ(reported.at(0).number, 6);
  EXPECT_EQ(reported.at(0).source, QStringLiteral("RV1XTests.CWaveForm"));
  EXPECT_TRUE(reported.at(0).description.contains(QStringLiteral("2 of its 6 samples")))
      << qPrintable(reported.at(0).description);
  EXPECT_TRUE(reported.at(0).description.contains(QStringLiteral("sample 3")));
}

TEST_F(WaveformDecode, NewerGenerationSamplesWithTheRangeScale) {
  CWaveformMkIII mk3;
  mk3.Initialize(block(counts12({0, 50, 1000, 500})), QStringLiteral("L!"));
  EXPECT_EQ(mk3.ValueCount(), 4);
  const QList<rt::Single> v = values(mk3);
  ASSERT_EQ(v.size(), 4);
  EXPECT_FLOAT_EQ(v.at(0), 0.0f);
  EXPECT_FLOAT_EQ(v.at(1), -0.555f);
  EXPECT_FLOAT_EQ(v.at(2), -11.1f);
  EXPECT_FLOAT_EQ(v.at(3), -5.55f);

  CWaveformMkIII high;
  high.Initialize(block(counts12({-2048, 2047, -1})), QStringLiteral("H!"));
  const QList<rt::Single> expected{102.4f, -102.35f, 0.05f};
  const QList<rt::Single> h = values(high);
  ASSERT_EQ(h.size(), expected.size());
  for (qsizetype i = 0; i < h.size(); ++i) EXPECT_FLOAT_EQ(h.at(i), expected.at(i)) << i;

  // A 2000-byte block is 1000 samples.
  CWaveformMkIII full;
  full.Initialize(block(QByteArray(2000, '\x01')), QStringLiteral("H!"));
  EXPECT_EQ(full.ValueCount(), 1000);
  EXPECT_EQ(values(full).size(), 1000);
  EXPECT_TRUE(errors().reported().isEmpty());
}

// A block that is not whole keeps the whole samples in front of the fault,
// reports the fault once, and makes up no sample.
TEST_F(WaveformDecode, BlocksThatAreNotWhole) {
  struct Case {
    const char* what;
    bool mk3;
    QVariant data;
    rt::Long count;
    rt::Long error;
  };
  QByteArray odd = counts12({100, 200, 300});
  odd.append('\x01');
  QByteArray mk2Short = counts({1, 2, 3, 4, 5});
  QByteArray mk2Odd = counts(QList<int>(149, 7));
  mk2Odd.append('\x01');
  const Case cases[] = {
      {"odd byte count", true, block(odd), 3, 9},
      {"text instead of bytes", true, QVariant(QStringLiteral("0102")), 0, 13},
      {"no data", true, QVariant(), 0, 13},
      {"a number", true, QVariant(12), 0, 13},
      {"older block of 10 bytes", false, block(mk2Short), 5, 9},
      {"older block of 299 bytes", false, block(mk2Odd), 149, 9},
      {"older, no data", false, QVariant(), 0, 13},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    errors().clear();
    std::shared_ptr<CWaveForm> waveform;
    if (c.mk3)
      waveform = std::make_shared<CWaveformMkIII>();
    else
      waveform = std::make_shared<CWaveFormMkII>();
    waveform->Initialize(c.data, QStringLiteral("L!"));
    EXPECT_EQ(waveform->ValueCount(), c.count);
    const QList<rt::Single> v = values(*waveform);
    // The newer array holds the samples only; the older one's tail is 0.
    EXPECT_EQ(v.size(), c.mk3 ? c.count : 150);
    for (qsizetype i = c.count; i < v.size(); ++i) EXPECT_EQ(v.at(i), 0.0f) << i;
    const QList<host::ErrorEntry> reported = errors().reported();
    ASSERT_EQ(reported.size(), 1);
    EXPECT_EQ(reported.at(0).number, c.error);
    EXPECT_EQ(reported.at(0).source, QStringLiteral("RV1XTests.CWaveForm"));
  }
}

TEST_F(WaveformDecode, ANewBlockLeavesNothingOfTheOldOne) {
  CWaveformMkIII mk3;
  mk3.Initialize(block(counts12({10, 20, 30, 40})), QStringLiteral("H!"));
  mk3.Initialize(block(counts12({50})), QStringLiteral("H!"));
  EXPECT_EQ(mk3.ValueCount(), 1);
  EXPECT_EQ(values(mk3), QList<rt::Single>{-2.5f});

  CWaveFormMkII mk2;
  mk2.Initialize(block(counts(QList<int>(150, 20))), QStringLiteral("H!"));
  mk2.Initialize(block(counts({40, 40})), QStringLiteral("H!"));
  EXPECT_EQ(mk2.ValueCount(), 2);
  const QList<rt::Single> v = values(mk2);
  EXPECT_EQ(v.at(1), 2.0f);
  EXPECT_EQ(v.at(2), 0.0f);
}

}  // namespace
