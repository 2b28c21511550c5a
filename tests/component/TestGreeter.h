#pragma once
#include <QString>

#include "com/Object.h"

class ITestGreeter : public virtual com::Object {
 public:
  ~ITestGreeter() override;
  virtual QString Greet(const QString& name) = 0;
};
