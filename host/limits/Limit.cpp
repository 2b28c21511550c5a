#include "limits/Limit.h"

#include <QStringList>
#include <algorithm>

#include "runtime/RuntimeError.h"

namespace host {

namespace {

const QString kSource = QStringLiteral("Limit");

const QStringList& operators() {
  static const QStringList list{QStringLiteral("Y"), QStringLiteral("X+Y"),
                                QStringLiteral("X+(X*Y%)"), kGreaterToleranceOperator};
  return list;
}

int slot(rt::Integer index) {
  if (index != limitindex::High && index != limitindex::Low)
    rt::raise(rt::err::SubscriptOutOfRange, kSource);
  return index;
}

}  // namespace

IRelativeLimit::~IRelativeLimit() = default;
Limit::~Limit() = default;

void Limit::Init(const QString& key, const QString& unit, const QString&, const QString&) {
  key_ = key;
  unit_ = unit;
}

void Limit::SetOperator(rt::Integer index, const QString& text) {
  if (index != 0) rt::raise(rt::err::SubscriptOutOfRange, kSource);
  if (!text.isEmpty() && !operators().contains(text))
    rt::raise(rt::err::InvalidCall, kSource,
              QStringLiteral("Unknown limit operator '%1'").arg(text));
  operator_ = text;
}

QString Limit::Operator(rt::Integer index) {
  if (index != 0) rt::raise(rt::err::SubscriptOutOfRange, kSource);
  return operator_;
}

rt::Single Limit::Value(rt::Integer index) {
  return values_[slot(index)];
}
void Limit::SetValue(rt::Integer index, rt::Single value) {
  values_[slot(index)] = value;
}
bool Limit::Enabled(rt::Integer index) {
  return enabled_[slot(index)];
}
void Limit::SetEnabled(rt::Integer index, bool enabled) {
  enabled_[slot(index)] = enabled;
}
rt::Single Limit::Absolute(rt::Integer index) {
  return absolutes_[slot(index)];
}
void Limit::SetAbsolute(rt::Integer index, rt::Single value) {
  absolutes_[slot(index)] = value;
}

rt::Single Limit::ValueForPreset(rt::Single preset, rt::Integer index) {
  const double y = values_[slot(index)];
  const double x = preset;
  if (operator_ == QLatin1String("X+Y")) return static_cast<rt::Single>(x + y);
  if (operator_ == QLatin1String("X+(X*Y%)")) return static_cast<rt::Single>(x + x * y / 100.0);
  if (operator_ == kGreaterToleranceOperator) {
    const double relative = x * y / 100.0;
    const double absolute = absolutes_[index];
    return static_cast<rt::Single>(x + (index == limitindex::High ? std::max(relative, absolute)
                                                                  : std::min(relative, absolute)));
  }
  return static_cast<rt::Single>(y);
}

bool Limit::Passes(rt::Single value, rt::Single preset) {
  if (enabled_[0] && value > ValueForPreset(preset, limitindex::High)) return false;
  if (enabled_[1] && value < ValueForPreset(preset, limitindex::Low)) return false;
  return true;
}

LimitPtr Limit::Clone() {
  return std::make_shared<Limit>(*this);
}

}  // namespace host
