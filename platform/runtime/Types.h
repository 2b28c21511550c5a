#pragma once
// The scalar types of the Basic-like run time the components are written
// against. Widths matter: 16-bit values overflow where the instrument's
// firmware and the stored files expect them to.

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <cstdint>

namespace rt {

using Integer = std::int16_t;  // 16-bit signed
using Long = std::int32_t;     // 32-bit signed
using Single = float;
using Double = double;
using Boolean = bool;
using Byte = std::uint8_t;

// Basic's True converts to -1 when taken as a number.
constexpr Integer kTrue = -1;
constexpr Integer kFalse = 0;

}  // namespace rt
