#include "views/XDetailedResult.h"

#include <QLabel>
#include <QPlainTextEdit>

#include "com/ServerModule.h"
#include "runtime/ErrorHandling.h"
#include "services/LanguageService.h"
#include "typelib/IResultData.h"
#include "ui/ControlPlacement.h"
#include "ui/Twips.h"

namespace orvanRV1Xtst {

namespace {

// A text of the host's own table (its number marked "T"), translated with
// the other captions.
const QString kTitleCaption = QStringLiteral("T1708::Comment");

constexpr double kIndent = 120;       // twips left of the title and the comment
constexpr double kTitleHeight = 255;  // twips, one line of the title's font

}  // namespace

XDetailedResult::XDetailedResult() {
  setObjectName(QStringLiteral("XDetailedResult"));
  lblTitle_ = new QLabel(kTitleCaption, this);
  lblTitle_->setObjectName(QStringLiteral("lblTitle"));
  QFont titleFont(QStringLiteral("Arial"));
  titleFont.setPointSizeF(9.75);
  titleFont.setBold(true);
  titleFont.setItalic(true);
  lblTitle_->setFont(titleFont);
  lblTitle_->setGeometry(0, 0, 0, ui::toPixels(kTitleHeight));

  txtComment_ = new QPlainTextEdit(this);
  txtComment_->setObjectName(QStringLiteral("txtComment"));
  txtComment_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  txtComment_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  txtComment_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  txtComment_->setTabChangesFocus(true);
  resize(ui::toPixels(4800), ui::toPixels(2400));

  rt::ignoreErrors(
      [&] { host::LanguageService::instance()->TranslateControls(host::kProduct, this); });
}

XDetailedResult::~XDetailedResult() = default;

void XDetailedResult::Initialize(const QVariant& Data) {
  QString comment;
  rt::ignoreErrors([&] { comment = com::must(com::variantAs<host::IResultData>(Data)).Comment(); });
  rt::ignoreErrorsEach([&] { txtComment_->setPlainText(comment); },
                       [&] {
                         txtComment_->setReadOnly(true);
                         QPalette p = txtComment_->palette();
                         p.setColor(QPalette::Base, ui::toQColor(ui::syscolor::ButtonFace));
                         txtComment_->setPalette(p);
                       });
}

void XDetailedResult::Refresh() {
  rt::ignoreErrors([&] { update(); });
}

void XDetailedResult::SetFocus() {
  rt::ignoreErrors([&] { txtComment_->setFocus(); });
}

void XDetailedResult::resizeEvent(QResizeEvent* event) {
  host::CustomControl::resizeEvent(event);
  const double titleHeight = ui::toTwips(lblTitle_->height());
  // Each move on its own: one that runs out of room leaves only its own
  // control where it was.
  rt::ignoreErrorsEach([&] { ui::moveControl(*lblTitle_, kIndent, 0, ScaleWidth() - kIndent); },
                       [&] {
                         ui::moveControl(*txtComment_, kIndent, titleHeight, ScaleWidth() - kIndent,
                                         ScaleHeight() - titleHeight);
                       });
}

RV1X_CREATABLE_CLASS("orvanRV1Xtst", XDetailedResult)

}  // namespace orvanRV1Xtst
