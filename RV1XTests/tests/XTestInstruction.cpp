#include "tests/XTestInstruction.h"

#include <QLabel>
#include <QPixmap>

#include "com/ServerModule.h"
#include "runtime/ErrorHandling.h"
#include "services/LanguageService.h"
#include "ui/Resources.h"
#include "ui/Twips.h"

namespace orvanRV1Xtst {

namespace {

const QString kLibrary = QStringLiteral("orvanRV1Xtst");
constexpr std::uint32_t kRed = 0x000000FFu;
constexpr int kFlashMs = 500;
constexpr double kInset = 45;
// The text's designed place; it reaches on to the panel's right margin when
// the pop-up is wider than designed (the guide lays it over the whole result
// view), so that a countdown such as "Charge and shock in 5 seconds" shows
// whole.
constexpr double kTextLeft = 960, kTextTop = 120, kTextWidth = 4545, kTextHeight = 345;
constexpr double kTextRightMargin = 120;

void paint(QWidget& widget, std::uint32_t back, std::uint32_t fore) {
  QPalette palette = widget.palette();
  palette.setColor(QPalette::Window, ui::toQColor(back));
  palette.setColor(QPalette::WindowText, ui::toQColor(fore));
  widget.setPalette(palette);
  widget.setAutoFillBackground(true);
}

}  // namespace

XTestInstruction::XTestInstruction() {
  setObjectName(QStringLiteral("XTestInstruction"));
  SetBackColor(ui::syscolor::Window);
  shpBackground_ = new QWidget(this);
  shpBackground_->setObjectName(QStringLiteral("shpBackground"));
  paint(*shpBackground_, ui::syscolor::Window, ui::syscolor::WindowText);

  imgIcon_ = new QLabel(this);
  imgIcon_->setObjectName(QStringLiteral("imgIcon"));
  imgIcon_->setGeometry(ui::toPixels(120, 120, 675, 750));
  imgIcon_->setAlignment(Qt::AlignCenter);

  lblHelpTxt_ = new QLabel(QStringLiteral("PLEASE DEFIBRILLATE NOW"), this);
  lblHelpTxt_->setObjectName(QStringLiteral("lblHelpTxt"));
  lblHelpTxt_->setGeometry(ui::toPixels(kTextLeft, kTextTop, kTextWidth, kTextHeight));
  QFont font(QStringLiteral("Verdana"));
  font.setBold(true);
  font.setPointSizeF(14.25);
  lblHelpTxt_->setFont(font);
  paint(*lblHelpTxt_, ui::syscolor::Window, ui::syscolor::WindowText);
  // A translated text may be longer than the designed label: it is cut at
  // the label's edge, never drawn over the panel's.
  lblHelpTxt_->setTextFormat(Qt::PlainText);

  tmrFlash_.SetEnabled(false);
  connect(&tmrFlash_, &ui::Timer::Tick, this, &XTestInstruction::tmrFlash_Timer);
  resize(ui::toPixels(7215), ui::toPixels(1335));
}

XTestInstruction::~XTestInstruction() = default;

void XTestInstruction::SetFlash(bool fFlash) {
  rt::ignoreErrorsEach([&] { SetBackColor(fFlash ? kRed : ui::syscolor::Window); },
                       [&] { tmrFlash_.SetInterval(kFlashMs); },
                       [&] { tmrFlash_.SetEnabled(fFlash); });
}

void XTestInstruction::tmrFlash_Timer() {
  rt::ignoreErrors([&] { SetBackColor(BackColor() != kRed ? kRed : ui::syscolor::Window); });
}

void XTestInstruction::ShowMsg(const QString& sIconID, const QString& sMsgLid) {
  if (!sIconID.isEmpty())
    imgIcon_->setPixmap(QPixmap::fromImage(ui::LoadResPicture(kLibrary, sIconID)));
  lblHelpTxt_->setText(host::translated(sMsgLid));
}

void XTestInstruction::resizeEvent(QResizeEvent* event) {
  ui::UserControl::resizeEvent(event);
  UserControl_Resize();
}

void XTestInstruction::UserControl_Resize() {
  const double width = ScaleWidth();
  const double height = ScaleHeight();
  rt::ignoreErrorsEach(
      [&] {
        shpBackground_->setGeometry(ui::toPixels(kInset, kInset, std::max(0.0, width - 2 * kInset),
                                                 std::max(0.0, height - 2 * kInset)));
      },
      [&] {
        imgIcon_->move(imgIcon_->x(),
                       (height > 0 ? ui::toPixels(height) - imgIcon_->height() : 0) / 2);
      },
      [&] {
        lblHelpTxt_->move(lblHelpTxt_->x(),
                          (height > 0 ? ui::toPixels(height) - lblHelpTxt_->height() : 0) / 2);
      },
      [&] {
        const double reach = width - kTextLeft - kTextRightMargin;
        lblHelpTxt_->resize(ui::toPixels(std::max(kTextWidth, reach)), lblHelpTxt_->height());
      });
}

RV1X_CREATABLE_CLASS("orvanRV1Xtst", XTestInstruction)

}  // namespace orvanRV1Xtst
