#pragma once
// Reading the number typed into the go-to box.
#include <QString>
#include <cstdint>
#include <optional>

// Blanks, an optional sign, then decimal digits within the 32-bit range, or up to
// eight significant hexadecimal digits after "$", "x", "X", "0x" or "0X" (taken as a
// 32-bit two's-complement value); nothing may follow the digits. Anything else gives
// no number.
std::optional<std::int32_t> ParseRecordNumber(const QString &text);
