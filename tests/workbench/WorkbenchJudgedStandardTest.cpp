// The standard a row shows is the one that judged its stored verdict, even
// where the next run is to judge by another.

#include "StoredElements.h"
#include "WorkbenchFixture.h"
#include "limits/Standard.h"
#include "limits/StandardsCollection.h"
#include "typelib/ILimitData.h"
#include "typelib/ITestElement.h"

namespace workbenchtest {
namespace {

TEST_F(WorkbenchTest, ARowShowsTheStandardThatJudgedItsStoredVerdict) {
  std::unique_ptr<WorkbenchWindow> window = openWindow();
  window->NewSequence();
  selectRows(*window, {1, 2, 3, 4, 5, 6});
  window->RemoveSelected();
  const host::ITestElementPtr chargeTime = window->Sequence().Element(0);
  ASSERT_TRUE(chargeTime);
  chargeTime->Limits()->CreateStandard(QStringLiteral("LAX"), QStringLiteral("LAX"));
  const QString judged = chargeTime->Limits()->Standards()->Item(1)->AlphaName();
  auto lax = std::make_shared<host::StandardsCollection>();
  lax->Add(
      chargeTime->Limits()->Standards()->Find(0, QStringLiteral("LAX"), QStringLiteral("LAX")));
  window->Sequence().SetSelected(0, lax);
  EXPECT_EQ(column(*window, SequenceModel::StandardColumn), QStringList{QStringLiteral("LAX")})
      << "no verdict yet: the standard of the next run";

  chargeTime->Load(testsupport::xmlElement(
                       QStringLiteral("<ResultItem><Status Code=\"1\"/><Standard AlphaName=\"%1\" "
                                      "CompleteName=\"%1\"/><Measurement Key=\"CHTI\"><Value "
                                      "Type=\"1\" Kind=\"Double\">4.2</Value><Status "
                                      "Code=\"1\"/></Measurement></ResultItem>")
                           .arg(judged)),
                   nullptr);
  EXPECT_EQ(column(*window, SequenceModel::StandardColumn), QStringList{judged});
}

}  // namespace
}  // namespace workbenchtest
