#include "guide/TestGuideService.h"

#include "elements/TestName.h"
#include "services/LanguageService.h"
#include "typelib/ITestElement.h"
#include "ui/MessageBoxes.h"

namespace host {

TestGuideService::~TestGuideService() = default;

std::shared_ptr<TestGuideService> TestGuideService::instance() {
  static auto service = std::make_shared<TestGuideService>();
  return service;
}

QString TestGuideService::caption() {
  return translated(QStringLiteral("1434::Test Guide"));
}

QString TestGuideService::abortQuestion() {
  return translated(QStringLiteral("1435::Do you want to abort the test sequence?"));
}

void TestGuideService::GetCaption(const ITestElementPtr& test, QString& text) {
  text = caption();
  if (!test) return;
  text += QStringLiteral(" - ") + shownTestName(*test);
}

void TestGuideService::ConfirmAbort(bool& confirmed) {
  confirmed = ui::MessageBoxes::instance().show(abortQuestion(), ui::mb::YesNo | ui::mb::Question,
                                                caption()) == ui::mb::Yes;
}

}  // namespace host
