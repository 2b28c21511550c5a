#include "XHelpText.h"

#include <QLabel>
#include <QVBoxLayout>

#include "com/ServerModule.h"
#include "ui/Extender.h"
#include "ui/Twips.h"

namespace orvanView {

namespace {
// This much of the pane, or less, shows nothing readable.
constexpr double kMinimumHeight = 240;
}  // namespace

XHelpText::XHelpText() {
  setObjectName(QStringLiteral("XHelpText"));
  SetBackColor(ui::syscolor::InfoBackground);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 4, 6, 4);
  caption_ = new QLabel(this);
  caption_->setObjectName(QStringLiteral("lblCaption"));
  caption_->setWordWrap(true);
  caption_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QPalette text = caption_->palette();
  text.setColor(QPalette::WindowText, ui::toQColor(ui::syscolor::InfoText));
  caption_->setPalette(text);
  layout->addWidget(caption_);
}

XHelpText::~XHelpText() = default;

QString XHelpText::Caption() {
  return caption_->text();
}

void XHelpText::SetCaption(const QString& caption) {
  caption_->setText(caption);
}

rt::Single XHelpText::Arrange(rt::Single& height) {
  ui::Extender* place = ContainerExtender();
  const double current = place ? place->Top() : ui::toTwips(y());
  if (!placed_) {
    placed_ = true;
    designedTop_ = current;
    designedHeight_ = place ? place->Height() : ui::toTwips(this->height());
  }
  double top = height - designedHeight_;
  double shown = designedHeight_;
  if (top < designedTop_) {
    top = designedTop_;
    shown = height - designedTop_;
  }
  const bool visible = shown > kMinimumHeight;
  if (place) {
    if (visible) place->Move(place->Left(), top, place->Width(), shown);
    place->SetVisible(visible);
  } else {
    if (visible) setGeometry(ui::toPixels(ui::toTwips(x()), top, ui::toTwips(width()), shown));
    setVisible(visible);
  }
  return static_cast<rt::Single>(top);
}

RV1X_CREATABLE_CLASS("orvanView", XHelpText)

}  // namespace orvanView
