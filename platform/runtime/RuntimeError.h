#pragma once
// A run-time error: number, source and description, thrown as a C++ exception
// and caught by the error-handling helpers of ErrorHandling.h.

#include <QString>
#include <exception>
#include <string>

#include "runtime/Types.h"

namespace rt {

// The standard numbers the platform raises where it fails.
namespace err {
constexpr Long InvalidCall = 5;  // invalid procedure call or argument
constexpr Long Overflow = 6;
constexpr Long OutOfMemory = 7;
constexpr Long SubscriptOutOfRange = 9;
constexpr Long DivisionByZero = 11;
constexpr Long TypeMismatch = 13;
constexpr Long BadFileNameOrNumber = 52;
constexpr Long FileNotFound = 53;
constexpr Long BadFileMode = 54;
constexpr Long DeviceIOError = 57;
constexpr Long DiskFull = 61;
constexpr Long DeviceUnavailable = 68;
constexpr Long PermissionDenied = 70;
constexpr Long PathFileAccessError = 75;
constexpr Long PathNotFound = 76;
constexpr Long ObjectNotSet = 91;
constexpr Long InvalidPropertyValue = 380;
constexpr Long InvalidPropertyArrayIndex = 381;
constexpr Long CannotCreateObject = 429;
constexpr Long NoSuchMember = 438;
constexpr Long DuplicateKey = 457;
}  // namespace err

// True for the file-access errors 52..76.
bool isFileError(Long number);

// The platform's text for one of its standard numbers; empty for others.
QString standardDescription(Long number);

class RuntimeError : public std::exception {
 public:
  RuntimeError() = default;
  // A standard error takes its description from the platform's table when
  // none is given.
  explicit RuntimeError(Long number, QString source = QString(), QString description = QString());

  Long Number() const { return number_; }
  const QString& Source() const { return source_; }
  const QString& Description() const { return description_; }

  // Number as the hexadecimal text technicians read in logs ("0x8004A462").
  QString hexNumber() const;

  const char* what() const noexcept override { return what_.c_str(); }

 private:
  Long number_ = 0;
  QString source_;
  QString description_;
  std::string what_;
};

// Raises a run-time error; never returns.
[[noreturn]] void raise(Long number, const QString& source = QString(),
                        const QString& description = QString());

// An interface error number written as the unsigned hex constant of the
// interface error range (0x8004A462) taken as the 32-bit signed value.
constexpr Long hresult(std::uint32_t value) {
  return static_cast<Long>(value);
}

}  // namespace rt
