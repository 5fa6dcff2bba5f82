#pragma once
// The CheckLogin call's buffers, as the builder sends and reads them.
#include <cstdint>
#include <span>
#include <string>

namespace builder::device {

inline constexpr size_t kLoginBufferUnits = 256;
inline constexpr int kLoginCodeMaxChars = 20;

// Writes each byte of the code as one UTF-16 unit of the same value and gives
// the input size, 2n + 1 (the last byte carries no meaning). A code longer
// than the buffer less one unit is cut, so the request never reads past it.
uint32_t EncodeLoginCode(const std::string& code, std::span<char16_t> buffer);

// The device's verdict: accepted only for a non-zero 32-bit little-endian
// value; a missing or short buffer is a rejection.
bool ParseVerdict(const uint8_t* output, uint32_t outputSize);

// The message for a failed CheckLogin call.
std::string LoginFailureMessage(int32_t result);

}  // namespace builder::device
