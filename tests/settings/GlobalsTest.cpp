// The plug-in's hand-over through the global object, the standard look-ups
// that follow it, and the editors' select-all routine.

#include <gtest/gtest.h>

#include <QLineEdit>

#include "StubPlugIn.h"
#include "TestSupport.h"
#include "com/CreateObject.h"
#include "orvanRV1Xtst/TypeLibrary.h"
#include "runtime/RuntimeError.h"
#include "settings/PlugInLink.h"
#include "settings/TextSelection.h"

namespace {

using orvanRV1Xtst::GGlobals;
using orvanRV1Xtst::IRV1XPlugIn;
using testsupport::StubPlugIn;
namespace MMiscUtils = orvanRV1Xtst::MMiscUtils;

// A plug-in that also offers the test library's interface: every look-up
// answers the same standard object, or fails when told to.
class FakeRV1XPlugIn : public StubPlugIn, public IRV1XPlugIn {
 public:
  explicit FakeRV1XPlugIn(QString id = QStringLiteral("RV-1X")) : StubPlugIn(std::move(id)) {}
  com::ObjectPtr LoadStandard(rt::Long iTestID, const QString& sAlphaName,
                              const QString& sCompleteName) override {
    asked = QStringLiteral("%1/%2/%3").arg(iTestID).arg(sAlphaName, sCompleteName);
    if (fails) rt::raise(rt::err::SubscriptOutOfRange);
    return standard;
  }

  com::ObjectPtr standard = std::make_shared<com::Object>();
  QString asked;
  bool fails = false;
};

com::ObjectPtr lookUp() {
  return MMiscUtils::LoadStandard(400, QStringLiteral("AAMI"), QStringLiteral("AAMI DF80"));
}

// No plug-in outlives the test that hands it over, so here none is kept.
TEST(PlugInLink, LookUpBeforeAnyHandOverFindsNothing) {
  EXPECT_FALSE(lookUp());
}

TEST(PlugInLink, HandOverOfTheRV1XPlugInServesTheLookUps) {
  auto plugIn = std::make_shared<FakeRV1XPlugIn>();
  GGlobals().SetPlugInPointer(plugIn);
  EXPECT_EQ(lookUp(), plugIn->standard);
  EXPECT_EQ(plugIn->asked, QStringLiteral("400/AAMI/AAMI DF80"));
}

TEST(PlugInLink, PlugInWithAnotherIdentifierIsIgnored) {
  auto kept = std::make_shared<FakeRV1XPlugIn>();
  GGlobals globals;
  globals.SetPlugInPointer(kept);
  for (const char* id : {"RV-2X", "rv-1x", "RV-1X ", ""}) {
    auto foreign = std::make_shared<FakeRV1XPlugIn>(QLatin1String(id));
    EXPECT_NO_THROW(globals.SetPlugInPointer(foreign)) << id;
    EXPECT_EQ(lookUp(), kept->standard) << id;
    EXPECT_TRUE(foreign->asked.isEmpty()) << id;
  }
}

TEST(PlugInLink, SecondHandOverReplacesTheFirst) {
  auto first = std::make_shared<FakeRV1XPlugIn>();
  auto second = std::make_shared<FakeRV1XPlugIn>();
  GGlobals().SetPlugInPointer(first);
  GGlobals().SetPlugInPointer(second);
  EXPECT_EQ(lookUp(), second->standard);
  EXPECT_TRUE(first->asked.isEmpty());
}

TEST(PlugInLink, RV1XPlugInLackingTheLibrarysInterfaceIsAConversionError) {
  auto kept = std::make_shared<FakeRV1XPlugIn>();
  GGlobals globals;
  globals.SetPlugInPointer(kept);
  EXPECT_EQ(testsupport::errorOf([&] {
              globals.SetPlugInPointer(std::make_shared<StubPlugIn>(QStringLiteral("RV-1X")));
            }),
            rt::err::TypeMismatch);
  EXPECT_EQ(lookUp(), kept->standard) << "the plug-in kept before stays";
  EXPECT_EQ(testsupport::errorOf([&] { globals.SetPlugInPointer(nullptr); }),
            rt::err::ObjectNotSet);
}

TEST(PlugInLink, FailingLookUpFindsNothingAndRaisesNothing) {
  auto plugIn = std::make_shared<FakeRV1XPlugIn>();
  plugIn->fails = true;
  GGlobals().SetPlugInPointer(plugIn);
  com::ObjectPtr found;
  EXPECT_NO_THROW(found = lookUp());
  EXPECT_FALSE(found);
  EXPECT_FALSE(plugIn->asked.isEmpty());
}

// The link must not keep the plug-in alive: the host's release ends it, and
// with it the catalogue its standards come from.
TEST(PlugInLink, ReleasedPlugInEndsAndIsNoLongerAsked) {
  auto plugIn = std::make_shared<FakeRV1XPlugIn>();
  std::weak_ptr<FakeRV1XPlugIn> watch = plugIn;
  GGlobals().SetPlugInPointer(plugIn);
  plugIn.reset();
  EXPECT_TRUE(watch.expired());
  EXPECT_FALSE(lookUp());
}

TEST(PlugInLink, GlobalObjectIsCreatableByItsRegisteredName) {
  testsupport::TemporaryRegistry registry;
  ASSERT_TRUE(
      testsupport::registerServer(testsupport::builtLibrary(QStringLiteral("orvanRV1Xtst"))));
  auto globals = com::createObjectAs<GGlobals>(QStringLiteral("RV1XTests.GGlobals"));
  ASSERT_TRUE(globals);
  auto plugIn = std::make_shared<FakeRV1XPlugIn>();
  globals->SetPlugInPointer(plugIn);
  EXPECT_EQ(lookUp(), plugIn->standard);
}

TEST(SelectAllText, SelectsTheWholeTextFromTheStart) {
  for (const char* text : {"", "360", "1.5 mV"}) {
    QLineEdit box{QString::fromLatin1(text)};
    box.setCursorPosition(1);
    MMiscUtils::SelectAllText(&box);
    EXPECT_EQ(box.selectedText(), QLatin1String(text)) << text;
    EXPECT_EQ(box.selectionLength(), box.text().size()) << text;
    if (!box.text().isEmpty())
      EXPECT_EQ(box.selectionStart(), 0) << text;
    else
      EXPECT_EQ(box.cursorPosition(), 0);
  }
  EXPECT_EQ(testsupport::errorOf([] { MMiscUtils::SelectAllText(nullptr); }),
            rt::err::ObjectNotSet);
}

}  // namespace
