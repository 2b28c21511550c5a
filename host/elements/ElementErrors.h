#pragma once
// The errors of the host's test-element base object. A test element hands
// the load errors and the save error on to its caller unchanged.

#include "runtime/RuntimeError.h"

namespace host::elementerr {

// Load: there is no element to load.
constexpr rt::Long NoElement = rt::hresult(0x8004A2C0);
// Load: the element is no part of a test element.
constexpr rt::Long UnknownPart = rt::hresult(0x8004A2C1);
// Load: the test element has no object to load that part into.
constexpr rt::Long NoPartObject = rt::hresult(0x8004A2C2);
// Load: the part's own load failed (the description names the part and its
// error).
constexpr rt::Long PartLoadFailed = rt::hresult(0x8004A2C8);
// Save: the test element or one of its parts could not be saved.
constexpr rt::Long SaveFailed = rt::hresult(0x8004A2CD);

}  // namespace host::elementerr
