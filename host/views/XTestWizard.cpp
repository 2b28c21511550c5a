#include "XTestWizard.h"

#include <QPainter>

#include "com/ServerModule.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "ui/Twips.h"

namespace orvanView {

namespace {

constexpr int kMarker = 9;
constexpr int kTextLeft = 18;

QVariantList itemsOf(const QVariant& value) {
  if (value.metaType().id() == QMetaType::QStringList) {
    QVariantList items;
    for (const QString& text : value.toStringList()) items.append(text);
    return items;
  }
  if (value.metaType().id() == QMetaType::QVariantList) return value.toList();
  if (rt::isEmpty(value)) return {};
  return {value};
}

}  // namespace

XTestWizard::XTestWizard() {
  setObjectName(QStringLiteral("XTestWizard"));
  SetBackColor(ui::syscolor::Window);
  resize(ui::toPixels(2775), ui::toPixels(2055));
}

XTestWizard::~XTestWizard() = default;

void XTestWizard::SetSteps(QVariant& texts) {
  steps_.clear();
  for (const QVariant& item : itemsOf(texts))
    if (item.canConvert<QString>() && !com::holdsObject(item)) steps_.append(item.toString());
  marked_.removeIf([&](rt::Integer n) { return n < 1 || n > steps_.size(); });
  update();
}

void XTestWizard::MarkSteps(QVariant& numbers) {
  marked_.clear();
  for (const QVariant& item : itemsOf(numbers)) {
    rt::ignoreErrors([&] {
      const rt::Integer number = rt::toInteger(item);
      if (number >= 1 && number <= steps_.size() && !marked_.contains(number))
        marked_.append(number);
    });
  }
  update();
}

namespace {

constexpr int kStepGap = 5;
constexpr double kSmallestPointSize = 6.0;

// The height the steps take at the font, wrapped to the width.
int stepsHeight(const QFontMetrics& metrics, const QStringList& steps, int width) {
  int height = 2;
  for (const QString& step : steps)
    if (!step.isEmpty())
      height += metrics.boundingRect(QRect(kTextLeft, 0, width, 100000), Qt::TextWordWrap, step)
                    .height() +
                kStepGap;
  return height;
}

}  // namespace

host::StepLook XTestWizard::Look(rt::Integer number) {
  if (number < 1 || number > steps_.size() || steps_.at(number - 1).isEmpty())
    return host::StepLook::LeftOut;
  // The steps with text that a mark singles out.
  int shown = 0;
  int marked = 0;
  for (int i = 1; i <= steps_.size(); ++i) {
    if (steps_.at(i - 1).isEmpty()) continue;
    ++shown;
    if (marked_.contains(static_cast<rt::Integer>(i))) ++marked;
  }
  if (marked == 0) return host::StepLook::Plain;
  if (marked_.contains(number)) return host::StepLook::Current;
  return marked == shown ? host::StepLook::Current : host::StepLook::Greyed;
}

void XTestWizard::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QColor accent(0x2D, 0x6C, 0xC0);
  const QColor grey(0x9A, 0xA3, 0xAE);
  const QColor dark(0x1B, 0x24, 0x30);
  const int width = this->width() - kTextLeft - 2;
  // Every step stays in sight: a list taller than the control is drawn in
  // a smaller font.
  QFont font = painter.font();
  while (font.pointSizeF() > kSmallestPointSize &&
         stepsHeight(QFontMetrics(font), steps_, width) > height())
    font.setPointSizeF(font.pointSizeF() - 0.5);
  painter.setFont(font);
  int top = 2;
  for (int i = 0; i < steps_.size(); ++i) {
    const host::StepLook look = Look(static_cast<rt::Integer>(i + 1));
    if (look == host::StepLook::LeftOut) continue;
    const QRect box = painter.fontMetrics().boundingRect(QRect(kTextLeft, top, width, 1000),
                                                         Qt::TextWordWrap, steps_.at(i));
    const int lineHeight = painter.fontMetrics().height();
    const QRectF marker(3, top + (lineHeight - kMarker) / 2.0, kMarker, kMarker);
    const bool current = look == host::StepLook::Current;
    const bool greyed = look == host::StepLook::Greyed;
    painter.setPen(QPen(greyed ? grey : accent, 1.4));
    painter.setBrush(current ? accent : Qt::transparent);
    painter.drawEllipse(marker);
    painter.setPen(greyed ? grey : dark);
    painter.drawText(QRect(kTextLeft, top, width, box.height()), Qt::TextWordWrap, steps_.at(i));
    top += box.height() + kStepGap;
  }
}

RV1X_CREATABLE_CLASS("orvanView", XTestWizard)

}  // namespace orvanView
