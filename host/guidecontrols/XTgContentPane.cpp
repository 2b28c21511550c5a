#include "XTgContentPane.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "com/ServerModule.h"
#include "elements/TestInfo.h"
#include "runtime/ErrorHandling.h"
#include "typelib/ITestElement.h"
#include "ui/Extender.h"
#include "ui/MaskedPicture.h"
#include "ui/Twips.h"
#include "ui/ZOrder.h"

namespace orvanTGCL2 {

namespace {

constexpr int kStripWidth = 78;  // the tab strip, left of the step list
constexpr int kTabHeight = 60;
constexpr int kCardMargin = 4;

const QColor kBorder(0xB8, 0xC4, 0xD2);

// The test's name and, under it, its kind, above the step list.
constexpr int kTitleLeft = kStripWidth + 10;
constexpr int kTitleHeight = 17;
constexpr int kSubtitleLineHeight = 11;
constexpr int kSubtitleLines = 2;

QFont titleFont(QFont font) {
  font.setBold(true);
  font.setPointSizeF(font.pointSizeF() * 1.15);
  return font;
}

// A long name (a translated one, say) is drawn smaller, down to the plain
// font's size, before it is cut short.
QFont fittedTitleFont(const QFont& base, const QString& title, int width) {
  QFont font = titleFont(base);
  while (font.pointSizeF() - 0.5 >= base.pointSizeF() &&
         QFontMetrics(font).horizontalAdvance(title) > width)
    font.setPointSizeF(font.pointSizeF() - 0.5);
  return font;
}

QFont subtitleFont(const QFont& base) {
  QFont font = titleFont(base);
  font.setBold(false);
  font.setPointSizeF(font.pointSizeF() / 1.3);
  return font;
}

QWidget* widgetOf(const com::ObjectPtr& object) {
  if (auto* extender = dynamic_cast<ui::Extender*>(object.get())) return extender->widget();
  return dynamic_cast<QWidget*>(object.get());
}

// Moves a hosted widget, given in the pane's coordinates, within its parent.
void place(QWidget* widget, const QWidget& pane, const QRect& inPane) {
  if (!widget || !widget->parentWidget()) return;
  const QPoint origin = widget->parentWidget()->mapFromGlobal(pane.mapToGlobal(inPane.topLeft()));
  widget->setGeometry(QRect(origin, inPane.size()));
}

void setShown(const com::ObjectPtr& object, bool shown) {
  if (auto* extender = dynamic_cast<ui::Extender*>(object.get()))
    extender->SetVisible(shown);
  else if (QWidget* widget = widgetOf(object))
    widget->setVisible(shown);
}

void drawCard(QPainter& painter, const QRect& place, const QColor& fill, bool shadow) {
  const QRectF card = QRectF(place).adjusted(-kCardMargin, -kCardMargin, kCardMargin, kCardMargin);
  if (shadow) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 28));
    painter.drawRoundedRect(card.translated(2, 2), 6, 6);
  }
  painter.setPen(QPen(kBorder, 1));
  painter.setBrush(fill);
  painter.drawRoundedRect(card.adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
}

}  // namespace

// One tab of the strip: its picture (the second one while selected) above
// its caption, on the tab's colour while selected.
class PaneTabButton final : public QAbstractButton {
 public:
  PaneTabButton(host::PaneTabPtr tab, QWidget* parent)
      : QAbstractButton(parent), tab_(std::move(tab)) {
    setCheckable(true);
    setAutoExclusive(false);
    setFixedSize(kStripWidth - 8, kTabHeight - 4);
    setToolTip(tab_->Caption());
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (isChecked()) {
      painter.setPen(QPen(kBorder, 1));
      painter.setBrush(ui::toQColor(tab_->BackColor()));
      painter.drawRoundedRect(frame, 6, 6);
    } else if (underMouse()) {
      painter.setPen(Qt::NoPen);
      painter.setBrush(QColor(255, 255, 255, 120));
      painter.drawRoundedRect(frame, 6, 6);
    }
    const Face face = FaceOf(painter.font());
    QImage picture =
        isChecked() && !tab_->PictureAlt().isNull() ? tab_->PictureAlt() : tab_->Picture();
    picture = ui::maskedPicture(picture, tab_->MaskColor());
    if (!picture.isNull()) {
      const QSize room(width() - 8, face.pictureHeight);
      QSize size = picture.size();
      if (size.width() > room.width() || size.height() > room.height())
        size.scale(room, Qt::KeepAspectRatio);
      painter.drawImage(QRect(QPoint((width() - size.width()) / 2, 3), size), picture);
    }
    QFont font = face.font;
    font.setBold(isChecked());
    painter.setFont(font);
    painter.setPen(isEnabled() ? QColor(0x22, 0x2B, 0x36) : QColor(0x8A, 0x92, 0x9C));
    painter.drawText(face.caption, kCaptionFlags, tab_->Caption());
  }

 private:
  static constexpr int kCaptionFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
  static constexpr int kCaptionTop = 38;
  static constexpr int kPictureHeight = 34;
  static constexpr double kSmallestCaptionPoints = 6;

  struct Face {
    QFont font;
    QRect caption;
    int pictureHeight;
  };

  // The design's caption is one line under a picture. A longer one (a
  // translated one, say) is drawn smaller until its longest word fits, and
  // the picture gives way to its second line, so that no caption is cut.
  // Sized in bold, so that it keeps its size when its tab is chosen.
  Face FaceOf(const QFont& base) const {
    const QString caption = tab_->Caption();
    const int room = width() - 4;
    const auto needed = [&](const QFont& font) {
      return QFontMetrics(font).boundingRect(QRect(0, 0, room, height()), kCaptionFlags, caption);
    };
    QFont font = base;
    font.setPointSizeF(font.pointSizeF() * 0.85);
    font.setBold(true);
    while (needed(font).width() > room && font.pointSizeF() - 0.25 >= kSmallestCaptionPoints)
      font.setPointSizeF(font.pointSizeF() - 0.25);
    const int top = std::max(3 + kPictureHeight / 2,
                             std::min(kCaptionTop, height() - 1 - needed(font).height()));
    return {font, QRect(2, top, room, height() - 1 - top), std::min(kPictureHeight, top - 4)};
  }

  host::PaneTabPtr tab_;
};

XTgContentPane::XTgContentPane() {
  setObjectName(QStringLiteral("XTgContentPane"));
  resize(ui::toPixels(8895), ui::toPixels(5175));
}

XTgContentPane::~XTgContentPane() {
  Detach(form_.data());
}

void XTgContentPane::Bind(const host::ITestElementPtr& test, const host::RunContextPtr& ctx) {
  test_ = test;
  ctx_ = ctx;
  title_.clear();
  subtitle_.clear();
  rt::ignoreErrors([&] {
    if (!test) return;
    host::TestInfoPtr info = test->Info();
    title_ = info ? info->Name() : QString();
    if (title_.isEmpty()) title_ = QStringLiteral("Test %1").arg(test->TestID());
    if (!info) return;
    QStringList kind;
    for (const QString& text : {info->Type(), info->Parameter()})
      if (!text.isEmpty()) kind.append(text);
    subtitle_ = kind.join(QStringLiteral(" / "));
  });
  Layout();
  update();
}

void XTgContentPane::SetResultPane(const com::ObjectPtr& pane) {
  resultPane_ = pane;
  Follow(pane);
}

void XTgContentPane::SetDetailsPane(const com::ObjectPtr& pane) {
  detailsPane_ = pane;
  Follow(pane);
}

void XTgContentPane::Follow(const com::ObjectPtr& pane) {
  if (QWidget* widget = widgetOf(pane)) widget->installEventFilter(this);
  Layout();
  update();
}

void XTgContentPane::Layout() {
  if (laying_) return;
  laying_ = true;
  const int right = width() - 2 * kCardMargin;
  int bottom = height() - 2 * kCardMargin;
  if (QWidget* result = widgetOf(resultPane_)) {
    QRect r(mapFromGlobal(result->mapToGlobal(QPoint(0, 0))), result->size());
    r.setRight(std::min(r.right(), right));
    r.setBottom(std::min(r.bottom(), bottom));
    place(result, *this, r);
    bottom = r.top() - 3 * kCardMargin;
  }
  QWidget* details = widgetOf(detailsPane_);
  if (details) {
    QRect r(mapFromGlobal(details->mapToGlobal(QPoint(0, 0))), details->size());
    // Below the test's name and kind.
    const auto lines = static_cast<int>(SubtitleLines(r.right() - kTitleLeft).size());
    r.setTop(std::max(r.top(), kTitleHeight + lines * kSubtitleLineHeight + kCardMargin));
    r.setBottom(std::min(r.bottom(), bottom));
    place(details, *this, r);
  }
  const int pageLeft = details ? mapFromGlobal(details->mapToGlobal(QPoint(0, 0))).x() +
                                     details->width() + 4 * kCardMargin
                               : 0;
  for (const Tab& tab : tabs_) {
    QWidget* page = widgetOf(tab.control);
    if (!page) continue;
    QRect r(mapFromGlobal(page->mapToGlobal(QPoint(0, 0))), page->size());
    if (r.left() < pageLeft) r.moveLeft(pageLeft);
    r.setRight(std::min(r.right(), right));
    r.setBottom(std::min(r.bottom(), bottom));
    place(page, *this, r);
  }
  laying_ = false;
}

QStringList XTgContentPane::SubtitleLines(int width) const {
  if (subtitle_.isEmpty()) return {};
  const QFontMetrics metrics(subtitleFont(font()));
  if (metrics.horizontalAdvance(subtitle_) <= width) return {subtitle_};
  // As many words as fit on the first line; the rest on the second, cut
  // only when even two lines do not hold it.
  const QStringList words = subtitle_.split(u' ');
  QString first = words.first();
  int taken = 1;
  while (taken < words.size() && metrics.horizontalAdvance(first + u' ' + words.at(taken)) <= width)
    first += u' ' + words.at(taken++);
  const QString rest = words.mid(taken).join(u' ');
  QStringList lines{metrics.elidedText(first, Qt::ElideRight, width)};
  if (!rest.isEmpty() && lines.size() < kSubtitleLines)
    lines.append(metrics.elidedText(rest, Qt::ElideRight, width));
  return lines;
}

void XTgContentPane::resizeEvent(QResizeEvent* event) {
  ui::UserControl::resizeEvent(event);
  Layout();
}

rt::Long XTgContentPane::AddTab(const host::PaneTabPtr& tab, const com::ObjectPtr& control) {
  com::must(tab);
  const auto index = static_cast<rt::Long>(tabs_.size());
  auto* button = new PaneTabButton(tab, this);
  button->setObjectName(QStringLiteral("tab%1").arg(index));
  connect(button, &QAbstractButton::clicked, this,
          [this, index] { rt::ignoreErrors([&] { ShowTab(index); }); });
  button->show();
  tabs_.push_back(Tab{tab, control, button});
  Follow(control);
  PlaceTabButtons();
  ShowTab(selected_ < 0 ? 0 : selected_);
  return index;
}

void XTgContentPane::ShowTab(rt::Long index) {
  if (index < 0 || index >= TabCount())
    rt::raise(rt::err::SubscriptOutOfRange, QStringLiteral("XTgContentPane"),
              QStringLiteral("The pane has no tab %1").arg(index));
  selected_ = index;
  for (std::size_t i = 0; i < tabs_.size(); ++i) {
    const bool chosen = static_cast<rt::Long>(i) == index;
    setShown(tabs_[i].control, chosen);
    tabs_[i].button->setChecked(chosen);
  }
  update();
}

void XTgContentPane::PlaceTabButtons() {
  for (std::size_t i = 0; i < tabs_.size(); ++i)
    tabs_[i].button->move(4, 8 + static_cast<int>(i) * kTabHeight);
}

void XTgContentPane::Attach(QWidget* form) {
  if (form_ && form_ != form) Detach(form_.data());
  form_ = form;
  if (form) form->installEventFilter(this);
  ui::ZOrder(this, ui::zorder::Back);
  if (selected_ >= 0) ShowTab(selected_);
  Layout();
  update();
}

void XTgContentPane::Detach(QWidget* form) {
  if (!form || form != form_) return;
  form->removeEventFilter(this);
  form_ = nullptr;
}

void XTgContentPane::Clear() {
  Detach(form_.data());
  for (const com::ObjectPtr& pane : {resultPane_, detailsPane_})
    if (QWidget* widget = widgetOf(pane)) widget->removeEventFilter(this);
  for (Tab& tab : tabs_) {
    if (QWidget* widget = widgetOf(tab.control)) widget->removeEventFilter(this);
    delete tab.button;
  }
  tabs_.clear();
  selected_ = -1;
  resultPane_.reset();
  detailsPane_.reset();
  test_.reset();
  ctx_.reset();
  title_.clear();
  subtitle_.clear();
  update();
}

bool XTgContentPane::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
      // A hosted widget the guide moves stays inside the pane.
      if (watched != form_.data()) Layout();
      update();
      break;
    case QEvent::Show:
    case QEvent::Hide:
      update();
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

QRect XTgContentPane::PlaceOf(const com::ObjectPtr& pane) const {
  QWidget* widget = widgetOf(pane);
  if (!widget || widget->isHidden()) return QRect();
  return QRect(mapFromGlobal(widget->mapToGlobal(QPoint(0, 0))), widget->size());
}

void XTgContentPane::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient ground(0, 0, 0, height());
  ground.setColorAt(0, QColor(0xFB, 0xFC, 0xFE));
  ground.setColorAt(1, QColor(0xE9, 0xEE, 0xF4));
  painter.fillRect(rect(), ground);

  const QRect result = PlaceOf(resultPane_);
  const int stripBottom = result.isValid() ? result.top() - 2 * kCardMargin : height();
  painter.fillRect(QRect(0, 0, kStripWidth, stripBottom), QColor(0xDF, 0xE6, 0xEF));
  painter.setPen(kBorder);
  painter.drawLine(kStripWidth, 0, kStripWidth, stripBottom);

  const QRect details = PlaceOf(detailsPane_);
  if (!title_.isEmpty()) {
    const int left = kTitleLeft;
    const int right = details.isValid() ? details.right() : width() / 2;
    const QRect titleBox(left, 1, right - left, kTitleHeight - 1);
    painter.setFont(fittedTitleFont(painter.font(), title_, titleBox.width()));
    painter.setPen(QColor(0x1D, 0x3B, 0x63));
    painter.drawText(titleBox, Qt::AlignLeft | Qt::AlignVCenter,
                     painter.fontMetrics().elidedText(title_, Qt::ElideRight, titleBox.width()));
    painter.setFont(subtitleFont(font()));
    painter.setPen(QColor(0x5A, 0x67, 0x76));
    int top = kTitleHeight;
    for (const QString& line : SubtitleLines(right - left)) {
      painter.drawText(QRect(left, top, right - left, kSubtitleLineHeight),
                       Qt::AlignLeft | Qt::AlignVCenter, line);
      top += kSubtitleLineHeight;
    }
  }
  if (details.isValid()) drawCard(painter, details, Qt::white, true);
  if (selected_ >= 0) {
    const Tab& tab = tabs_.at(static_cast<std::size_t>(selected_));
    const QRect page = PlaceOf(tab.control);
    if (page.isValid()) drawCard(painter, page, ui::toQColor(tab.tab->BackColor()), true);
  }
  if (result.isValid()) drawCard(painter, result, Qt::white, true);
}

RV1X_CREATABLE_CLASS("orvanTGCL2", XTgContentPane)

}  // namespace orvanTGCL2
