#pragma once
// One limit of one measurement key: a high bound (index 0) and a low bound
// (index 1), each with an enabled flag, and an operator that says how a bound
// Y is applied to the measurement's preset X:
//   "Y"              the bound is Y
//   "X+Y"            the bound is X + Y
//   "X+(X*Y%)"       the bound is X + X * Y / 100
//   "X+max(X*Y%,Z)"  the greater of a relative and an absolute tolerance:
//                    X + X * Y / 100 or X + Z, whichever lies farther from
//                    X (the larger offset for the high bound, the smaller
//                    for the low one, whose Y and Z are negative). "Within
//                    15 % or 3 J, whichever is greater" is High 15, HighZ 3,
//                    Low -15, LowZ -3.
// A value equal to a bound passes.

#include "typelib/HostTypes.h"

namespace host {

namespace limitindex {
constexpr rt::Integer High = 0;
constexpr rt::Integer Low = 1;
}  // namespace limitindex

// The operator of the greater of a relative and an absolute tolerance.
inline const QString kGreaterToleranceOperator = QStringLiteral("X+max(X*Y%,Z)");

// A limit whose bounds depend on the preset.
class IRelativeLimit : public virtual com::Object {
 public:
  ~IRelativeLimit() override;
  virtual rt::Single ValueForPreset(rt::Single preset, rt::Integer index) = 0;
};

class Limit : public IRelativeLimit {
 public:
  ~Limit() override;

  virtual void Init(const QString& key, const QString& unit, const QString& reserved1,
                    const QString& reserved2);
  // Only the four operators above are accepted (error 5 otherwise).
  virtual void SetOperator(rt::Integer index, const QString& text);
  virtual QString Operator(rt::Integer index);
  virtual QString Key() { return key_; }
  virtual QString Unit() { return unit_; }
  // Index 0 high, 1 low; error 9 for any other index.
  virtual rt::Single Value(rt::Integer index);
  virtual void SetValue(rt::Integer index, rt::Single value);
  virtual bool Enabled(rt::Integer index);
  virtual void SetEnabled(rt::Integer index, bool enabled);
  // The absolute tolerance Z of a bound, for the operator that takes one.
  virtual rt::Single Absolute(rt::Integer index);
  virtual void SetAbsolute(rt::Integer index, rt::Single value);
  // The bound for a preset by the operator; plain Y for "Y" or no operator.
  rt::Single ValueForPreset(rt::Single preset, rt::Integer index) override;
  // Whether the value lies within every enabled bound for the preset.
  virtual bool Passes(rt::Single value, rt::Single preset);

  virtual LimitPtr Clone();

 private:
  QString key_;
  QString unit_;
  QString operator_;
  rt::Single values_[2] = {0.0f, 0.0f};
  rt::Single absolutes_[2] = {0.0f, 0.0f};
  bool enabled_[2] = {false, false};
};

}  // namespace host
