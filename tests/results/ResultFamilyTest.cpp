// What every result does alike: the host's result interface, the stored
// "ResultItem" with its errors and older or foreign content, the service
// record, and the dialog while the detail views are not installed.

#include "ResultCases.h"
#include "StoredElements.h"
#include "records/RunObjects.h"
#include "typelib/IDialog.h"
#include "xml/XmlHelper.h"

namespace {

using namespace orvanRV1Xtst;
using namespace resultstest;
using testsupport::RefusingDocument;

class ResultFamily : public ResultTest, public ::testing::WithParamInterface<ResultCase> {
 protected:
  std::shared_ptr<CResultBase> make() { return GetParam().make(); }
  QString source() const { return QLatin1String(GetParam().source); }
};

TEST_P(ResultFamily, FindsItsMeasurementsByPositionAndByKeyInAnyCase) {
  auto result = make();
  const QStringList keys = GetParam().keys;
  ASSERT_EQ(result->MeasurementCount(), keys.size());
  for (int i = 0; i < keys.size(); ++i) {
    const host::IMeasurementPtr byPosition = result->Measurement(i + 1);
    ASSERT_TRUE(byPosition) << i + 1;
    EXPECT_EQ(byPosition->Key(), keys.at(i));
    EXPECT_EQ(result->Measurement(keys.at(i).toLower()), byPosition);
    EXPECT_EQ(result->Measurement(QVariant::fromValue<short>(i + 1)), byPosition);
  }
  EXPECT_FALSE(result->Measurement(keys.size() + 1));
  EXPECT_FALSE(result->Measurement(0));
  EXPECT_FALSE(result->Measurement(QStringLiteral("NONE")));
  EXPECT_FALSE(result->Measurement(QVariant()));
}

TEST_P(ResultFamily, StartsEmptyAndKeepsCommentAndAnalyzerIndex) {
  auto result = make();
  EXPECT_EQ(result->Status(), 0);
  EXPECT_FALSE(result->ResultStored());
  EXPECT_FALSE(result->HasMeasuredValue());
  EXPECT_EQ(result->MTIID(), 0);
  EXPECT_FALSE(result->HasDialog());
  result->SetComment(QStringLiteral("x"));
  EXPECT_TRUE(result->HasDialog());
  result->SetMTIID(4);
  EXPECT_EQ(result->MTIID(), 4);
}

TEST_P(ResultFamily, SavedResultLoadsBackWithEveryField) {
  auto result = make();
  fill(*result, GetParam().value, 2);
  result->SetComment(QStringLiteral("Pads replaced"));
  result->SetMTIID(3);
  auto filter = std::make_shared<host::TestFilter>();
  filter->setFlags(host::TestFilter::BuildServiceRecord);
  result->BuildServiceRecord(filter);
  const host::XmlElementPtr stored = result->Save(document_);
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->Attribute(QStringLiteral("MTI")), QStringLiteral("3"));
  QStringList expected{QStringLiteral("Status"), QStringLiteral("Comment"),
                       QStringLiteral("ServiceRecord")};
  for (int i = 0; i < GetParam().keys.size(); ++i) expected.append(QStringLiteral("Measurement"));
  EXPECT_EQ(childTags(stored), expected);

  auto loaded = make();
  auto log = std::make_shared<host::HostLog>();
  loaded->Load(stored, log);
  EXPECT_TRUE(reported().isEmpty());
  EXPECT_EQ(loaded->Status(), 2);
  EXPECT_EQ(loaded->Comment(), QStringLiteral("Pads replaced"));
  EXPECT_EQ(loaded->MTIID(), 3);
  ASSERT_TRUE(loaded->ServiceRecord()) << "every result reads its service record back";
  const auto record = loaded->ServiceRecord();
  EXPECT_TRUE(record->built());
  EXPECT_EQ(record->flag(), QStringLiteral("F"));
  for (const QString& key : GetParam().keys) {
    EXPECT_EQ(loaded->MeasurementByKey(key)->Value(), GetParam().value) << qPrintable(key);
    EXPECT_EQ(loaded->MeasurementByKey(key)->Status(), 2) << qPrintable(key);
  }
  EXPECT_EQ(canonical(loaded->Save(document_)), canonical(stored)) << "a re-save keeps it all";
  ASSERT_FALSE(log->entries().isEmpty());
  EXPECT_EQ(log->entries().first().text, QLatin1String(GetParam().loadingText));
  EXPECT_TRUE(log->openSteps().isEmpty());
}

// What was measured or answered is stored whatever the status, and a load
// reads it back; a result that holds no value stores no measurement.
TEST_P(ResultFamily, MeasuredValuesAreStoredWhateverTheStatus) {
  for (rt::Long status : {0, 1, 2, 3}) {
    SCOPED_TRACE(status);
    auto result = make();
    fill(*result, GetParam().value, 0);
    result->SetStatus(status);
    const host::XmlElementPtr stored = result->Save(document_);
    EXPECT_EQ(childTags(stored).count(QStringLiteral("Measurement")), GetParam().keys.size());
    EXPECT_FALSE(stored->dom().hasAttribute(QStringLiteral("MTI")));
    auto loaded = make();
    loaded->Load(stored, nullptr);
    EXPECT_EQ(loaded->Status(), status);
    for (const QString& key : GetParam().keys)
      EXPECT_EQ(loaded->MeasurementByKey(key)->Value(), GetParam().value) << qPrintable(key);
  }
  for (rt::Long status : {0, 3}) {
    auto empty = make();
    empty->SetStatus(status);
    EXPECT_FALSE(childTags(empty->Save(document_)).contains(QStringLiteral("Measurement")))
        << status;
  }
}

TEST_P(ResultFamily, StatusEveryCodeAndItsTextTravel) {
  for (rt::Long status : {0, 1, 2, 3}) {
    auto loaded = make();
    loaded->Load(
        element(QStringLiteral("<ResultItem><Status Code=\"%1\">seen</Status></ResultItem>")
                    .arg(status)),
        nullptr);
    EXPECT_EQ(loaded->Status(), status);
    EXPECT_EQ(loaded->StatusText(), QStringLiteral("seen"));
  }
  // What the element does not hold starts afresh: no status, text or comment.
  auto reloaded = make();
  reloaded->Load(element(QStringLiteral("<ResultItem><Status Code=\"2\">seen</Status>"
                                        "<Comment>old</Comment></ResultItem>")),
                 nullptr);
  reloaded->Load(element(QStringLiteral("<ResultItem/>")), nullptr);
  EXPECT_EQ(reloaded->Status(), 0);
  EXPECT_TRUE(reloaded->StatusText().isEmpty());
  EXPECT_TRUE(reloaded->Comment().isEmpty());
}

TEST_P(ResultFamily, AnalyzerIndexReadsAsItsRoundedNumber) {
  const struct {
    const char* mti;
    rt::Long index;
  } cases[] = {{"3", 3}, {"2.5", 2}, {"3.5", 4}, {" 7 units", 7}, {"x", 0}};
  for (const auto& c : cases) {
    auto loaded = make();
    loaded->SetMTIID(9);
    loaded->Load(element(QStringLiteral("<ResultItem MTI=\"%1\"/>").arg(QLatin1String(c.mti))),
                 nullptr);
    EXPECT_EQ(loaded->MTIID(), c.index) << c.mti;
  }
  auto kept = make();
  kept->SetMTIID(9);
  kept->Load(element(QStringLiteral("<ResultItem/>")), nullptr);
  EXPECT_EQ(kept->MTIID(), 9) << "no attribute leaves the index";
}

TEST_P(ResultFamily, LoadOfAForeignElementHandsOnItsError) {
  auto result = make();
  result->SetComment(QStringLiteral("kept"));
  auto log = std::make_shared<host::HostLog>();
  const rt::RuntimeError raised =
      raisedBy([&] { result->Load(element(QStringLiteral("<resultitem/>")), log); });
  EXPECT_EQ(raised.Number(), kResultLoadError);
  EXPECT_EQ(raised.Source(), source());
  ASSERT_EQ(errors().entries().size(), 1);
  EXPECT_EQ(errors().entries().first().severity, 4);
  EXPECT_EQ(errors().entries().first().product, QStringLiteral("RV-1X"));
  EXPECT_TRUE(reported().isEmpty());
  EXPECT_TRUE(log->openSteps().isEmpty());
  EXPECT_EQ(result->Comment(), QStringLiteral("kept"));
}

TEST_P(ResultFamily, AForeignMeasurementIsReportedAndTheRestStillLoads) {
  auto result = make();
  const QString first = GetParam().keys.first();
  const QString measurement = QStringLiteral(
      "<Measurement Key=\"%1\"><Value Type=\"1\" Kind=\"Double\">7</Value>"
      "<Status Code=\"1\"/></Measurement>");
  result->Load(element(QStringLiteral("<ResultItem Version=\"2\"><Status Code=\"1\"/>%1"
                                      "<Measurement><Unit>J</Unit></Measurement>%2"
                                      "<Comment>after</Comment></ResultItem>")
                           .arg(measurement.arg(QStringLiteral("ZZZZ")), measurement.arg(first))),
               nullptr);
  ASSERT_EQ(reported().size(), 2) << "the unknown key and the missing one";
  EXPECT_EQ(reported().first().source, source());
  EXPECT_TRUE(reported().first().description.contains(QStringLiteral("ZZZZ")));
  EXPECT_EQ(result->MeasurementByKey(first)->Value(), QVariant(7.0));
  EXPECT_EQ(result->Comment(), QStringLiteral("after"));
  EXPECT_EQ(result->Status(), 1);
  EXPECT_EQ(result->MeasurementCount(), GetParam().keys.size());
}

TEST_P(ResultFamily, OtherFailuresWhileLoadingAreReportedAndEndTheLoad) {
  auto result = make();
  auto log = std::make_shared<host::HostLog>();
  EXPECT_EQ(errorOf([&] {
              result->Load(
                  element(QStringLiteral("<ResultItem><Comment>read</Comment>"
                                         "<Status Code=\"1e12\"/><Comment>not read</Comment>"
                                         "</ResultItem>")),
                  log);
            }),
            0);
  ASSERT_EQ(reported().size(), 1);
  EXPECT_EQ(reported().first().number, rt::err::Overflow);
  EXPECT_EQ(reported().first().source, source());
  EXPECT_EQ(result->Comment(), QStringLiteral("read"));
  EXPECT_TRUE(log->openSteps().isEmpty());

  errors().clear();
  auto overflowing = make();
  overflowing->Load(element(QStringLiteral("<ResultItem MTI=\"99999999999\"/>")), nullptr);
  ASSERT_EQ(reported().size(), 1);
  EXPECT_EQ(reported().first().number, rt::err::Overflow);
  EXPECT_EQ(errorOf([&] { make()->Load(nullptr, log); }), 0);
  EXPECT_EQ(reported().size(), 2);
}

TEST_P(ResultFamily, SaveHandsOnItsErrorWhenTheDocumentMakesNoElement) {
  auto result = make();
  const rt::RuntimeError raised = raisedBy(
      [&] { result->Save(std::make_shared<RefusingDocument>(QStringLiteral("ResultItem"))); });
  EXPECT_EQ(raised.Number(), kResultSaveError);
  ASSERT_EQ(errors().entries().size(), 1);
  EXPECT_EQ(errors().entries().first().severity, 3);
  EXPECT_EQ(errors().entries().first().source, source());

  // A measurement that cannot make its element fails the result's save.
  errors().clear();
  fill(*result, GetParam().value, 1);
  host::XmlElementPtr saved;
  EXPECT_EQ(errorOf([&] {
              saved =
                  result->Save(std::make_shared<RefusingDocument>(QStringLiteral("Measurement")));
            }),
            0);
  EXPECT_FALSE(saved);
  ASSERT_EQ(reported().size(), 1);
  EXPECT_EQ(reported().first().number, kMeasurementSaveError);
  EXPECT_EQ(reported().first().source, source());
}

TEST_P(ResultFamily, ServiceRecordIsBuiltOnlyWhenTheFilterAsksAndTheResultWasEvaluated) {
  auto filter = std::make_shared<host::TestFilter>();
  auto result = make();
  fill(*result, GetParam().value, 1);
  result->BuildServiceRecord(filter);
  const host::ServiceRecordPtr before = result->ServiceRecord();
  filter->setFlags(host::TestFilter::BuildServiceRecord);
  result->SetStatus(0);
  result->BuildServiceRecord(filter);
  EXPECT_EQ(result->ServiceRecord(), before) << "nothing evaluated, nothing built";
  result->BuildServiceRecord(nullptr);
  EXPECT_EQ(result->ServiceRecord(), before);

  result->SetStatus(3);
  result->BuildServiceRecord(filter);
  auto record = result->ServiceRecord();
  ASSERT_TRUE(record);
  EXPECT_EQ(record->flag(), QStringLiteral("NA"));
  EXPECT_TRUE(record->summary().isEmpty());
}

TEST_P(ResultFamily, DialogComesBackWhileTheDetailViewIsNotInstalled) {
  auto result = make();
  const host::IDialogPtr dialog = result->CreateDialog();
  ASSERT_TRUE(dialog);
  EXPECT_FALSE(dialog->IsDocked());
  EXPECT_FALSE(dialog->CallBack());
  dialog->Unload();
}

INSTANTIATE_TEST_SUITE_P(Results, ResultFamily, ::testing::ValuesIn(allResults()), resultCaseName);

}  // namespace
