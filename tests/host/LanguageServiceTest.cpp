// Text look-up and the translation of captions.

#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QTabBar>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include "LocaleScope.h"
#include "QtPrinters.h"
#include "services/LanguageService.h"

namespace {

using host::LanguageService;
using testsupport::LocaleScope;

class LanguageServiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = service()->language();
    service()->setLanguage(QStringLiteral("en"));
  }
  void TearDown() override { service()->setLanguage(previous_); }
  static std::shared_ptr<LanguageService> service() { return LanguageService::instance(); }
  QString translate(const QString& key, const QVariantList& params = {}) {
    return service()->Translate(host::kProduct, key, params);
  }

 private:
  QString previous_;
};

TEST_F(LanguageServiceTest, WithoutATableTheDefaultTextIsTaken) {
  EXPECT_EQ(translate(QStringLiteral("20331::Time [ms]")), QStringLiteral("Time [ms]"));
  EXPECT_EQ(translate(QStringLiteral("::Add waveform to list")),
            QStringLiteral("Add waveform to list"));
  EXPECT_EQ(translate(QStringLiteral("311::Description")), QStringLiteral("Description"));
  EXPECT_EQ(translate(QStringLiteral("20400::")), QString());
  EXPECT_EQ(translate(QStringLiteral("::")), QString());
}

TEST_F(LanguageServiceTest, TextsWithoutAKeyComeBackUnchanged) {
  for (const char* text : {"", "Plain text", "Port %%1", "Note: see A::B", "123456::six digits"})
    EXPECT_EQ(translate(QString::fromUtf8(text), {QVariant(3)}), QString::fromUtf8(text)) << text;
}

TEST_F(LanguageServiceTest, PlaceholdersAreFilledFromTheParameters) {
  EXPECT_EQ(translate(QStringLiteral("20321::No MTI on COM%%1."), {QVariant(3)}),
            QStringLiteral("No MTI on COM3."));
  EXPECT_EQ(translate(QStringLiteral("20322::%%2 of %%1, %%1 again"),
                      {QVariant(5), QStringLiteral("two")}),
            QStringLiteral("two of 5, 5 again"));
  EXPECT_EQ(translate(QStringLiteral("20323::Only %%1 and %%2"), {QVariant(1)}),
            QStringLiteral("Only 1 and %%2"));
  EXPECT_EQ(translate(QStringLiteral("20324::No params %%1")), QStringLiteral("No params %%1"));
  LocaleScope german(LocaleScope::german());
  EXPECT_EQ(translate(QStringLiteral("20325::%%1 J"), {QVariant(2.5)}), QStringLiteral("2,5 J"));
  QString out;
  service()->Translate(host::kProduct, QStringLiteral("20326::Count %%1"), {QVariant(4)}, out);
  EXPECT_EQ(out, QStringLiteral("Count 4"));
}

TEST_F(LanguageServiceTest, TheGermanTableTranslatesWhatItHas) {
  service()->setLanguage(QStringLiteral("de"));
  EXPECT_EQ(translate(QStringLiteral("20331::Time [ms]")), QStringLiteral("Zeit [ms]"));
  EXPECT_EQ(service()->Translate(QStringLiteral("rv-1x"), QStringLiteral("20342::Yes")),
            QStringLiteral("Ja"));
  EXPECT_EQ(translate(QStringLiteral("29999::Not in the table")),
            QStringLiteral("Not in the table"));
  EXPECT_EQ(service()->Translate(QStringLiteral("Other"), QStringLiteral("20331::Time [ms]")),
            QStringLiteral("Time [ms]"))
      << "tables are per product";
  // The plug-in's own translation, and what stands in should the service
  // fail: the default text, never a blank or the text number.
  EXPECT_EQ(host::translated(QStringLiteral("20331::Time [ms]")), QStringLiteral("Zeit [ms]"));
  EXPECT_EQ(LanguageService::DefaultText(QStringLiteral("20331::Time [ms]")),
            QStringLiteral("Time [ms]"));
  EXPECT_EQ(LanguageService::DefaultText(QStringLiteral("20321::No MTI on COM%%1."), {QVariant(3)}),
            QStringLiteral("No MTI on COM3."));
  EXPECT_EQ(LanguageService::DefaultText(QStringLiteral("Note: see A::B")),
            QStringLiteral("Note: see A::B"));
  service()->setLanguage(QStringLiteral("xx"));
  EXPECT_EQ(translate(QStringLiteral("20331::Time [ms]")), QStringLiteral("Time [ms]"));
}

TEST_F(LanguageServiceTest, LoadsATableFile) {
  QTemporaryDir dir;
  QFile file(dir.filePath(QStringLiteral("mine.lang")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(
      "# comment\n"
      "[RV-1X]\n"
      "20500=Eins %%1\n"
      "20501=Zwei\\nZeilen\n"
      "bad line\n"
      "x=not a number\n"
      "[Other]\n"
      "20502=Fremd\n");
  file.close();
  EXPECT_TRUE(service()->loadTable(file.fileName()));
  EXPECT_FALSE(service()->loadTable(dir.filePath(QStringLiteral("missing.lang"))));
  EXPECT_EQ(translate(QStringLiteral("20500::One %%1"), {QStringLiteral("x")}),
            QStringLiteral("Eins x"));
  EXPECT_EQ(translate(QStringLiteral("20501::Two lines")), QStringLiteral("Zwei\nZeilen"));
  EXPECT_EQ(translate(QStringLiteral("20502::Foreign")), QStringLiteral("Foreign"));
  EXPECT_EQ(service()->Translate(QStringLiteral("Other"), QStringLiteral("20502::Foreign")),
            QStringLiteral("Fremd"));
}

TEST_F(LanguageServiceTest, TranslatesControlsAndTabs) {
  service()->setLanguage(QStringLiteral("de"));
  QWidget form;
  auto* layout = new QVBoxLayout(&form);
  auto* label = new QLabel(QStringLiteral("20333::Peak I [A]"));
  auto* plain = new QLabel(QStringLiteral("Peak I [A]"));
  layout->addWidget(label);
  layout->addWidget(plain);
  service()->TranslateControls(host::kProduct, &form);
  EXPECT_EQ(label->text(), QStringLiteral("Spitzenstrom I [A]"));
  EXPECT_EQ(plain->text(), QStringLiteral("Peak I [A]"));
  QTabBar tabs;
  tabs.addTab(QStringLiteral("20342::Yes"));
  tabs.addTab(QStringLiteral("20999::Advanced"));
  service()->TranslateTabs(host::kProduct, &tabs);
  EXPECT_EQ(tabs.tabText(0), QStringLiteral("Ja"));
  EXPECT_EQ(tabs.tabText(1), QStringLiteral("Advanced"));
}

}  // namespace
