#pragma once
// The three error-handling styles of the run time:
//  - an operation under a handler: onError(body, handler); the handler sees
//    the error as the pending error (Err()) and may report it or hand it on;
//  - errors ignored statement by statement: ignoreErrors(stmt) for one
//    statement, ignoreErrorsEach(s1, s2, ...) for a sequence, orDefault(expr,
//    fallback) for a value;
//  - the pass-on form: passOn() re-raises the pending error unchanged.

#include <optional>
#include <type_traits>
#include <utility>

#include "runtime/RuntimeError.h"

namespace rt {

// The pending error of the innermost running handler (Basic's Err object).
class ErrObject {
 public:
  bool pending() const { return error_.has_value(); }
  Long Number() const { return error_ ? error_->Number() : 0; }
  QString Source() const { return error_ ? error_->Source() : QString(); }
  QString Description() const { return error_ ? error_->Description() : QString(); }
  const RuntimeError* error() const { return error_ ? &*error_ : nullptr; }
  void Clear() { error_.reset(); }

 private:
  friend class PendingErrorScope;
  std::optional<RuntimeError> error_;
};

ErrObject& Err();

// Makes an error pending for the lifetime of the scope (a running handler),
// restoring the previous one afterwards so handlers can nest.
class PendingErrorScope {
 public:
  explicit PendingErrorScope(const RuntimeError& error);
  ~PendingErrorScope();
  PendingErrorScope(const PendingErrorScope&) = delete;
  PendingErrorScope& operator=(const PendingErrorScope&) = delete;

 private:
  std::optional<RuntimeError> previous_;
};

// Inside a catch block: the active exception as a run-time error. Foreign
// exceptions become error 7 (memory) or 5 with their message, so nothing the
// standard library throws escapes the system's own error path.
RuntimeError currentError();

// Re-raises the pending error unchanged; does nothing when none is pending.
void passOn();

template <class Body, class Handler>
auto onError(Body&& body, Handler&& handler) -> std::invoke_result_t<Body> {
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    const RuntimeError error = currentError();
    PendingErrorScope scope(error);
    return std::forward<Handler>(handler)(error);
  }
}

// Runs one statement; an error ends only that statement.
template <class Statement>
bool ignoreErrors(Statement&& statement) {
  try {
    std::forward<Statement>(statement)();
    return true;
  } catch (...) {
    (void)currentError();
    return false;
  }
}

template <class... Statements>
void ignoreErrorsEach(Statements&&... statements) {
  (ignoreErrors(std::forward<Statements>(statements)), ...);
}

// The value of an expression, or the fallback when evaluating it fails.
template <class Expression, class T>
T orDefault(Expression&& expression, T fallback) {
  try {
    return std::forward<Expression>(expression)();
  } catch (...) {
    (void)currentError();
    return fallback;
  }
}

// Runs one statement under a handler that lets an error of that number end
// only the statement (the caller goes on with the next one); any other error
// reaches the caller unchanged.
template <class Statement>
void resumeNextOn(Long number, Statement&& statement) {
  onError(std::forward<Statement>(statement), [number](const RuntimeError& error) {
    if (error.Number() != number) passOn();
  });
}

}  // namespace rt
