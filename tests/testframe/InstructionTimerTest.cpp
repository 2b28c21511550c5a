// The instruction pop-up and the run timer.

#include <QLabel>

#include "FrameFixture.h"
#include "LanguageScope.h"
#include "QtPrinters.h"
#include "services/LanguageService.h"
#include "tests/FTimer.h"
#include "tests/XTestInstruction.h"
#include "ui/MessageLoop.h"
#include "ui/Twips.h"

namespace {

using namespace frametests;
using orvanRV1Xtst::FTimer;
using orvanRV1Xtst::XTestInstruction;
using testsupport::errorOf;

constexpr std::uint32_t kRed = 0x000000FFu;

// Runs events until the condition holds or the time is over; the time it
// took.
qint64 waitFor(const std::function<bool()>& done, int milliseconds) {
  ui::Stopwatch clock;
  clock.start();
  testsupport::waitUntil(done, milliseconds);
  return clock.elapsed();
}

using Instruction = FrameTest;

TEST_F(Instruction, IsMadeByItsRegisteredName) {
  const auto popup =
      com::createObjectAs<XTestInstruction>(QStringLiteral("RV1XTests.XTestInstruction"));
  ASSERT_TRUE(popup);
  EXPECT_FALSE(popup->Flash());
  EXPECT_EQ(popup->BackColor(), ui::syscolor::Window);
  EXPECT_EQ(popup->HelpText()->text(), QStringLiteral("PLEASE DEFIBRILLATE NOW"));
}

TEST_F(Instruction, FlashingShowsRedAtOnceAndAlternatesUntilItStops) {
  XTestInstruction popup;
  popup.SetFlash(true);
  EXPECT_TRUE(popup.Flash());
  EXPECT_EQ(popup.BackColor(), kRed);
  popup.SetFlash(true);
  EXPECT_EQ(popup.BackColor(), kRed) << "flashing again starts on red";
  // The window colour after about 500 ms, red again after as long.
  EXPECT_GT(waitFor([&] { return popup.BackColor() != kRed; }, 2000), 400);
  EXPECT_EQ(popup.BackColor(), ui::syscolor::Window);
  EXPECT_LT(waitFor([&] { return popup.BackColor() == kRed; }, 2000), 1000);
  popup.SetFlash(false);
  EXPECT_FALSE(popup.Flash());
  EXPECT_EQ(popup.BackColor(), ui::syscolor::Window);
  testsupport::runEventsFor(600);
  EXPECT_EQ(popup.BackColor(), ui::syscolor::Window) << "it stays on the window colour";
}

TEST_F(Instruction, ShowMsgShowsThePictureAndTheTranslatedText) {
  XTestInstruction popup;
  popup.ShowMsg(QStringLiteral("TI:SHOCK"), QStringLiteral("20061::Start pacer"));
  EXPECT_EQ(popup.HelpText()->text(), QStringLiteral("Start pacer"));
  const QImage shock = popup.Icon()->pixmap().toImage();
  EXPECT_FALSE(shock.isNull());
  // No picture name keeps the picture; a text without key is shown as it is.
  popup.ShowMsg(QString(), QStringLiteral("Charge and shock in 3 seconds"));
  EXPECT_EQ(popup.HelpText()->text(), QStringLiteral("Charge and shock in 3 seconds"));
  EXPECT_EQ(popup.Icon()->pixmap().toImage(), shock);
  // A picture the library lacks fails back, and the text stays.
  EXPECT_EQ(errorOf([&] { popup.ShowMsg(QStringLiteral("TI:NONE"), QStringLiteral("20293::x")); }),
            326);
  EXPECT_EQ(popup.HelpText()->text(), QStringLiteral("Charge and shock in 3 seconds"));
}

TEST_F(Instruction, ItsPictureAndTextStayInTheMiddleOfItsHeight) {
  XTestInstruction popup;
  popup.ShowMsg(QStringLiteral("TI:WAIT"), QStringLiteral("20293::Please wait..."));
  popup.resize(ui::toPixels(7215), ui::toPixels(2895));
  popup.show();
  const int middle = popup.height() / 2;
  EXPECT_NEAR(popup.Icon()->geometry().center().y(), middle, 1);
  EXPECT_NEAR(popup.HelpText()->geometry().center().y(), middle, 1);
  EXPECT_EQ(popup.Icon()->x(), ui::toPixels(120)) << "only the height is followed";
  const QWidget* panel = popup.findChild<QWidget*>(QStringLiteral("shpBackground"));
  EXPECT_EQ(panel->geometry(), popup.rect().adjusted(3, 3, -3, -3)) << "45 twips inside";
}

// Laid over the result view, the pop-up is wider than designed: its text
// takes the room, in every language.
TEST_F(Instruction, ACountdownShowsWholeOverTheResultView) {
  for (const char* language : {"en", "de"}) {
    SCOPED_TRACE(language);
    const testsupport::LanguageScope scope{QLatin1String(language)};
    XTestInstruction popup;
    popup.resize(ui::toPixels(8550), ui::toPixels(2895));
    popup.show();
    const QString countdown = host::LanguageService::instance()->Translate(
        host::kProduct, QStringLiteral("20017::Charge and shock in %%1 seconds"), {5});
    popup.ShowMsg(QStringLiteral("TI:WAIT"), countdown);
    const QLabel& text = *popup.HelpText();
    EXPECT_LE(text.fontMetrics().horizontalAdvance(text.text()), text.contentsRect().width())
        << qPrintable(text.text());
    EXPECT_LE(text.geometry().right(), popup.width() - ui::toPixels(45)) << "inside the panel";
    EXPECT_EQ(text.x(), ui::toPixels(960));
    testsupport::saveScreenshot(popup,
                                QStringLiteral("instruction-countdown-") + QLatin1String(language));
  }
}

using RunTimer = FrameTest;

TEST_F(RunTimer, TicksEveryIntervalUntilStopped) {
  FTimer timer;
  timer.Load();
  int ticks = 0;
  QObject::connect(&timer, &FTimer::Timer, [&] { ++ticks; });
  timer.StartTimer(100);
  EXPECT_LT(waitFor([&] { return ticks >= 3; }, 2000), 1000);
  timer.StopTimer();
  const int stopped = ticks;
  testsupport::runEventsFor(250);
  EXPECT_EQ(ticks, stopped);

  // Stopped before its interval, it never ticks; interval 0 never ticks.
  ticks = 0;
  timer.StartTimer(300);
  testsupport::runEventsFor(100);
  timer.StopTimer();
  timer.StartTimer(0);
  testsupport::runEventsFor(400);
  EXPECT_EQ(ticks, 0);
  // A negative interval keeps the one before.
  timer.StartTimer(-5);
  EXPECT_EQ(timer.Interval(), 0);
  EXPECT_TRUE(timer.Enabled());
}

TEST_F(RunTimer, AnIntervalLongerThanTheWindowTimerCountsItsWholeLength) {
  // A window timer that counts at most 100 ms, for a 350 ms interval.
  FTimer timer(100);
  timer.Load();
  ui::Stopwatch clock;
  QList<qint64> ticks;
  QObject::connect(&timer, &FTimer::Timer, [&] { ticks.append(clock.elapsed()); });
  clock.start();
  timer.StartTimer(350);
  EXPECT_EQ(timer.Interval(), 350);
  waitFor([&] { return ticks.size() >= 2; }, 3000);
  ASSERT_EQ(ticks.size(), 2);
  EXPECT_GE(ticks.at(0), 340);
  EXPECT_LT(ticks.at(0), 600);
  EXPECT_GE(ticks.at(1) - ticks.at(0), 340);
}

TEST_F(RunTimer, ItsOwnerMayLetGoOfItInItsOwnEvent) {
  std::shared_ptr<FTimer> timer = FTimer::New();
  timer->Load();
  QPointer<FTimer> watch = timer.get();
  int ticks = 0;
  QObject::connect(timer.get(), &FTimer::Timer, [&] {
    ++ticks;
    timer->StopTimer();
    timer->Unload();
    timer.reset();
  });
  timer->StartTimer(50);
  waitFor([&] { return !watch; }, 2000);
  EXPECT_EQ(ticks, 1);
  EXPECT_FALSE(watch) << "gone once its event was over";
}

}  // namespace
