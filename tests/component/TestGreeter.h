#pragma once
#include "com/Object.h"

#include <QString>

class ITestGreeter : public virtual com::Object {
 public:
  ~ITestGreeter() override;
  virtual QString Greet(const QString& name) = 0;
};
