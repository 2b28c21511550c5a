// The test template: what each kind of broken template does to the
// catalogue, and how an entry's texts and standards are read.

#include <QDir>

#include "LanguageScope.h"
#include "PlugInFixture.h"
#include "elements/TestInfo.h"
#include "limits/Standard.h"
#include "limits/StandardsCollection.h"
#include "typelib/ILimitData.h"
#include "typelib/ITestElement.h"

namespace plugintest {
namespace {

using namespace orvanRV1X;

constexpr rt::Long kNone = 0;

struct BrokenTemplate {
  const char* what;
  QString text;
  rt::Long raised;  // what Initialize raises (kNone: nothing)
  int catalogue;    // entries in it; -1: the plug-in has no catalogue
  QList<rt::Long> reported;
  const char* described = "";  // a part of the raised error's description
};

const QString kNoClass = QStringLiteral("<TestElement ID=\"900\"/>");

std::vector<BrokenTemplate> brokenTemplates() {
  const QString missingId = entry(kFake, QString());
  return {
      {"an entry without ClassName fails the whole load",
       templateOf(fakeEntry() + kNoClass),
       plugInErr::BadTemplate,
       -1,
       {},
       "has no \"ClassName\""},
      {"an entry without ID fails the whole load",
       templateOf(fakeEntry() + missingId),
       plugInErr::BadTemplate,
       -1,
       {},
       "has no \"ID\""},
      {"malformed XML is a bad template",
       QStringLiteral("<Tests><TemplateData><TestElement"),
       plugInErr::BadTemplate,
       -1,
       {},
       "not well-formed XML"},
      {"no TemplateData",
       QStringLiteral("<Tests><Other/></Tests>"),
       plugInErr::BadTemplate,
       -1,
       {},
       "no \"TemplateData\""},
      {"an empty TemplateData",
       templateOf(QString()),
       plugInErr::BadTemplate,
       -1,
       {},
       "holds nothing"},
      {"only other elements: an empty catalogue",
       templateOf("<Comment/><Other ID=\"1\"/>"),
       kNone,
       0,
       {}},
      {"an unknown class is left out",
       templateOf(entry("RV1XTest.NoSuchClass", "900") + fakeEntry()),
       kNone,
       1,
       {rt::err::CannotCreateObject}},
      {"a class that is no test element is left out",
       templateOf(entry("RV1XTest.Greeter", "900") + fakeEntry()),
       kNone,
       1,
       {rt::err::TypeMismatch}},
      {"an ID that is not its class's test ID is left out",
       templateOf(entry(kFake, "400") + fakeEntry()),
       kNone,
       1,
       {plugInErr::WrongTestID}},
      {"an ID that does not start with a number is 0, not the class's",
       templateOf(entry(kFake, "abc") + fakeEntry()),
       kNone,
       1,
       {plugInErr::WrongTestID}},
      {"an ID read by its leading number", templateOf(entry(kFake, "900abc")), kNone, 1, {}},
      {"an ID rounded half to even", templateOf(entry(kFake, "899.5")), kNone, 1, {}},
      {"an ID beyond 32 bits is left out",
       templateOf(entry(kFake, "1e12") + fakeEntry()),
       kNone,
       1,
       {rt::err::Overflow}},
      {"two entries of one ID are both kept", templateOf(fakeEntry() + fakeEntry()), kNone, 2, {}},
      {"entries nested in a test that is no group are not read",
       templateOf(fakeEntry(kNoClass + fakeEntry())),
       kNone,
       1,
       {}},
      {"an entry without ClassName inside a group fails the whole load",
       templateOf(entry(kGroup, "950", fakeEntry() + kNoClass)),
       plugInErr::BadTemplate,
       -1,
       {},
       "has no \"ClassName\""},
      {"the host's refusal inside a group ends the load: no catalogue",
       templateOf(entry(kGroup, "950", fakeEntry() + fakeEntry())),
       kNone,
       -1,
       {hosterr::EndsLoad1}},
  };
}

TEST_F(PlugInTest, BrokenTemplates) {
  for (const BrokenTemplate& c : brokenTemplates()) {
    SCOPED_TRACE(c.what);
    host::ErrorService::instance()->clear();
    rt::RuntimeError raised;
    const host::IPlugInPtr plugIn = plugInWith(c.text, &raised);
    EXPECT_EQ(raised.Number(), c.raised) << qPrintable(raised.Description());
    if (c.raised != kNone) {
      EXPECT_TRUE(raised.Description().contains(QLatin1String(c.described)))
          << qPrintable(raised.Description());
      EXPECT_TRUE(raised.Description().contains(dir_.filePath(QStringLiteral("test.mpc"))))
          << "names the file: " << qPrintable(raised.Description());
      EXPECT_EQ(lastRaisedSeverity(c.raised), 1);
    }
    EXPECT_EQ(reportedNumbers(), c.reported);
    host::ErrorService::instance()->clear();
    if (c.catalogue < 0) {
      EXPECT_EQ(testsupport::errorOf([&] { plugIn->Tests(); }), plugInErr::NotInitialised);
      continue;
    }
    const host::ITestElementListPtr tests = plugIn->Tests();
    ASSERT_TRUE(tests);
    EXPECT_EQ(tests->Count(), c.catalogue);
    for (rt::Long i = 1; i <= tests->Count(); ++i) EXPECT_EQ(tests->Item(i)->TestID(), 900);
  }
}

TEST_F(PlugInTest, TemplateFilesThatCannotBeRead) {
  struct Case {
    const char* what;
    QString path;
    rt::Long raised;
  };
  const Case cases[] = {
      {"missing", dir_.filePath(QStringLiteral("none.mpc")), plugInErr::TemplateNotFound},
      {"a folder", dir_.path(), plugInErr::TemplateFileError},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    host::ErrorService::instance()->clear();
    useTemplate(c.path);
    const host::IPlugInPtr plugIn = newPlugIn();
    const rt::RuntimeError raised = testsupport::raisedBy([&] { plugIn->Initialize(nullptr); });
    EXPECT_EQ(raised.Number(), c.raised);
    EXPECT_TRUE(raised.Description().contains(c.path)) << qPrintable(raised.Description());
    EXPECT_EQ(lastRaisedSeverity(c.raised), 3);
    EXPECT_TRUE(reportedNumbers().isEmpty());
    EXPECT_EQ(testsupport::errorOf([&] { plugIn->Tests(); }), plugInErr::NotInitialised);
  }
}

TEST_F(PlugInTest, GroupMembersAreReadByTheSameRules) {
  const host::IPlugInPtr plugIn =
      plugInWith(templateOf(entry(kGroup, "950", fakeEntry("<Name LID=\"::Member\"/>"))));
  const auto group = std::dynamic_pointer_cast<host::ITestElementList>(plugIn->Tests()->Item(1));
  ASSERT_TRUE(group);
  ASSERT_EQ(group->Count(), 1);
  EXPECT_EQ(group->Item(1)->Info()->Name(), QStringLiteral("Member"));
}

TEST_F(PlugInTest, EntryTextsComeOnlyFromTheirTextKeys) {
  const host::IPlugInPtr plugIn = plugInWith(templateOf(fakeEntry(
      QStringLiteral("<Type LID=\"20600::Defibrillator\"/>"
                     "<Parameter LID=\"20611::Delivered energy\">ignored</Parameter>"
                     "<Name LID=\"20620::Charge time test\"/><Name LID=\"20621::Discharge test\"/>"
                     "<Description>content without a key</Description>"))));
  const host::TestInfoPtr info = plugIn->Tests()->Item(1)->Info();
  EXPECT_EQ(info->Type(), QStringLiteral("Defibrillator"));
  EXPECT_EQ(info->Parameter(), QStringLiteral("Delivered energy"));
  EXPECT_EQ(info->Name(), QStringLiteral("Discharge test")) << "the last of a name wins";
  EXPECT_EQ(info->Description(), QString()) << "no LID, no text";

  const testsupport::LanguageScope german(QStringLiteral("de"));
  const host::IPlugInPtr translated =
      plugInWith(templateOf(fakeEntry(QStringLiteral("<Type LID=\"20600::Defibrillator\"/>"
                                                     "<Name LID=\"20621::Discharge test\"/>"))));
  EXPECT_EQ(translated->Tests()->Item(1)->Info()->Name(), QStringLiteral("Entladungstest"));
}

TEST_F(PlugInTest, TheLastExpectedResultGivesTheStandards) {
  const host::IPlugInPtr plugIn = plugInWith(templateOf(fakeEntry(
      "<ExpectedResult>" + standard("A", "First") + "</ExpectedResult>" + "<ExpectedResult>" +
      standard("B", "Second") + standard("C", "Third") + "</ExpectedResult>")));
  const host::StandardsCollectionPtr standards = plugIn->Tests()->Item(1)->Limits()->Standards();
  ASSERT_EQ(standards->Count(), 2);
  EXPECT_EQ(standards->Item(1)->CompleteName(), QStringLiteral("Second"));
  EXPECT_FALSE(standards->Find(0, "A", "First"));
}

}  // namespace
}  // namespace plugintest
