#include "runtime/ErrorHandling.h"

#include <new>

namespace rt {

ErrObject& Err() {
  thread_local ErrObject err;
  return err;
}

PendingErrorScope::PendingErrorScope(const RuntimeError& error) : previous_(Err().error_) {
  Err().error_ = error;
}

PendingErrorScope::~PendingErrorScope() {
  Err().error_ = previous_;
}

RuntimeError currentError() {
  try {
    throw;
  } catch (const RuntimeError& error) {
    return error;
  } catch (const std::bad_alloc&) {
    return RuntimeError(err::OutOfMemory);
  } catch (const std::exception& other) {
    return RuntimeError(err::InvalidCall, QString(), QString::fromLocal8Bit(other.what()));
  } catch (...) {
    return RuntimeError(err::InvalidCall);
  }
}

void passOn() {
  if (const RuntimeError* pending = Err().error()) throw RuntimeError(*pending);
}

}  // namespace rt
