#pragma once
// The host's limit view ("OrvanView.XLimitView"), as the host's control
// library publishes it: the limit set that opens the view names the rows its
// test has, then hands itself over through ICustomControl::Initialize.

#include "typelib/HostTypes.h"

namespace host {

class ILimitView : public virtual com::Object {
 public:
  ~ILimitView() override;
  // One row per measurement key, shown in every standard. operators is
  // "<op>Y;X+Y;X+(X*Y%)</op>" when the operator may choose the limit's
  // operator, empty when the row keeps the one its limit has.
  virtual void AddRow(const QString& key, const QString& caption, const QString& unit,
                      const QString& operators) = 0;
};
using ILimitViewPtr = std::shared_ptr<ILimitView>;

}  // namespace host
