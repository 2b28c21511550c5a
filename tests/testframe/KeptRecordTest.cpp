// What a Perform leaves of the element's record: a stored result stays until
// a new final result replaces it, and the identity the operator typed is
// the one recorded with the final result.

#include "PerformFixture.h"
#include "QtPrinters.h"
#include "StoredElements.h"
#include "TestSupport.h"

namespace {

using namespace frametests;
using Kept = PerformTest;

// A refractory result as a results document stores it.
const QString kStoredResult = QStringLiteral(
    "<ResultItem><Status Code=\"1\"/>"
    "<Measurement Key=\"SENS\"><Value Type=\"2\" Kind=\"Single\">250</Value><Status Code=\"1\"/>"
    "</Measurement>"
    "<Measurement Key=\"PACE\"><Value Type=\"2\" Kind=\"Single\">300</Value><Status Code=\"1\"/>"
    "</Measurement></ResultItem>");

TEST_F(Kept, AStoredResultStaysUntilANewFinalResultReplacesIt) {
  const struct {
    const char* what;
    const char* analyzerOptions;
    const char* script;
    bool replaced;
  } cases[] = {
      {"stopped before it measured", "range=H", "400 play wait=0.5 stop wait-run next", false},
      {"a reply cut off as the analyzer hung up", "range=P,hangup=M", "400 play wait-run next",
       false},
      {"skipped", "range=P", "400 skip", false},
      {"stopped, then skipped", "range=H", "400 play wait=0.5 stop wait-run skip", false},
      {"aborted while it ran", "range=H", "400 play wait=0.5 abort", false},
      {"measured anew", "range=P", "400 play wait-run next", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    analyzer(QLatin1String(c.analyzerOptions));
    const auto test = element(400);
    test->Load(testsupport::xmlElement(kStoredResult), nullptr);
    const host::IResultDataPtr stored = test->Result();
    ASSERT_EQ(status(test), 1);
    perform(test, QLatin1String(c.script));
    EXPECT_EQ(test->Result() != stored, c.replaced);
    EXPECT_EQ(notified(test), c.replaced ? 1 : 0);
    if (c.replaced) continue;
    EXPECT_EQ(status(test), 1);
    EXPECT_EQ(test->Result()->Measurement(QStringLiteral("SENS"))->Value(), QVariant(250.0f));
    // Passing by it again shows and keeps the same record.
    perform(test, QStringLiteral("400 next"));
    EXPECT_EQ(test->Result(), stored);
    simulators_.clear();
  }
}

TEST_F(Kept, TheIdentityTypedBeforeTheWindowClosedIsTheOneRecorded) {
  // The performance test is finished by its verdict while the wave plays;
  // the identity comes after.
  analyzer(QStringLiteral("range=L"));
  const auto judged = performanceTest(30);
  perform(judged,
          QStringLiteral("600 play wait=0.5 verdict=pass wait-run tab=0 mti=RV-12P,4711,2.1.0 "
                         "next"));
  ASSERT_EQ(status(judged), 1);
  EXPECT_EQ(notified(judged), 1);
  const host::MtiEntryPtr recorded =
      ctx->MtiList()->Find(host::kProduct, judged->Result()->MTIID());
  ASSERT_TRUE(recorded);
  EXPECT_EQ(recorded->Serial(), QStringLiteral("4711"));
  EXPECT_EQ(recorded->Firmware(), QStringLiteral("2.1.0"));

  // Not applicable, and the identity typed when the operator comes back.
  const auto na = element(300);
  perform(na, QStringLiteral("300 na"));
  perform(na, QStringLiteral("300 tab=0 mti=RV-15,SN9,2.0 next"));
  EXPECT_EQ(status(na), 3);
  EXPECT_EQ(notified(na), 1) << "the host is told once";
  const host::MtiEntryPtr typed = ctx->MtiList()->Find(host::kProduct, na->Result()->MTIID());
  ASSERT_TRUE(typed);
  EXPECT_EQ(typed->MtiType(), QStringLiteral("RV-15"));
  EXPECT_EQ(typed->Serial(), QStringLiteral("SN9"));
  const rt::Long entries = ctx->MtiList()->Count();
  perform(na, QStringLiteral("300 next"));
  EXPECT_EQ(ctx->MtiList()->Count(), entries) << "the same identity is not registered again";
}

}  // namespace
