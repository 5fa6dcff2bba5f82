#include "builder/device/core/login_request.h"

#include <algorithm>
#include <cstdio>

#include "builder/device/core/device_texts.h"
#include "platform/rapi_errors.h"

namespace builder::device {

uint32_t EncodeLoginCode(const std::string& code, std::span<char16_t> buffer) {
  if (buffer.empty()) return 0;
  const size_t units = std::min(code.size(), buffer.size() - 1);
  for (size_t i = 0; i < units; ++i) buffer[i] = static_cast<unsigned char>(code[i]);
  return static_cast<uint32_t>(2 * units + 1);
}

bool ParseVerdict(const uint8_t* output, uint32_t outputSize) {
  if (output == nullptr || outputSize < 4) return false;
  const uint32_t verdict = output[0] | (output[1] << 8) | (output[2] << 16) | (static_cast<uint32_t>(output[3]) << 24);
  return verdict != 0;
}

std::string LoginFailureMessage(int32_t result) {
  if (result == kRapiNoConnection) return kNoConnectionMessage;
  char message[sizeof kLoginErrorFormat + 16];
  std::snprintf(message, sizeof message, kLoginErrorFormat, static_cast<unsigned>(result));
  return message;
}

}  // namespace builder::device
