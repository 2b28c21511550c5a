#pragma once
// A user control of the test server, to drive containers, extenders and
// object events from tests.

#include <QString>
#include <QVariantList>

#include "com/Object.h"

class ITestControl : public virtual com::Object {
 public:
  ~ITestControl() override;
  // Raises an event to the container, as the control's own code would.
  virtual void Fire(const QString& name, const QVariantList& parameters) = 0;
};
