#include "com/ClassFactory.h"

namespace com {

ClassFactory::~ClassFactory() = default;

}  // namespace com
