#pragma once
// The plug-in's error numbers and the sources it reports them under, and the
// host errors its template loader treats apart.

#include <QString>

#include "runtime/RuntimeError.h"

namespace orvanRV1X {

// The plug-in object and its template loader.
inline const QString kPlugInSource = QStringLiteral("SelkamRV1X.CRVPlugIn");
// Unexpected errors of CreateTest, under the class's own name.
inline const QString kCreateTestSource = QStringLiteral("CRV1XPlugIn");
inline const QString kSetupSource = QStringLiteral("SelkamRV1X.CRV1XSetup");

namespace plugInErr {
// Tests or CreateTest before a successful Initialize, or without catalogue.
constexpr rt::Long NotInitialised = rt::hresult(0x8004A229u);
// The template file is not there.
constexpr rt::Long TemplateNotFound = rt::hresult(0x8004A22Au);
// The template is not one: not well-formed, no "TemplateData", no entries,
// or an entry without "ClassName" or "ID".
constexpr rt::Long BadTemplate = rt::hresult(0x8004A22Cu);
// A template entry whose "ID" is not the test ID of its class; the entry is
// reported and left out.
constexpr rt::Long WrongTestID = rt::hresult(0x8004A22Du);
// CreateTest: the catalogue has no test of that ID.
constexpr rt::Long NoSuchTest = rt::hresult(0x8004A233u);
// The setup's registry key cannot be opened.
constexpr rt::Long KeyNotOpen = rt::hresult(0x8004A28Eu);
// The template file cannot be read (any other file error).
constexpr rt::Long TemplateFileError = rt::hresult(0x8004A28Fu);
}  // namespace plugInErr

namespace hosterr {
// Ignored wherever the template loader meets it; the load goes on.
constexpr rt::Long Ignored = rt::hresult(0x80048ACDu);
// Raised by the host inside an entry: handed up, they end the whole load.
constexpr rt::Long EndsLoad1 = rt::hresult(0x80047730u);
constexpr rt::Long EndsLoad2 = rt::hresult(0x80047737u);
}  // namespace hosterr

}  // namespace orvanRV1X
