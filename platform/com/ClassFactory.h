#pragma once
// What a component server hands out for one class identifier.

#include <functional>

#include "com/Object.h"

namespace com {

class ClassFactory {
 public:
  virtual ~ClassFactory();
  virtual ObjectPtr CreateInstance() = 0;
};

using Creator = std::function<ObjectPtr()>;

}  // namespace com
