#include "device/kiosk_engine/core/code_check.h"

#include "device/engine_contract/engine_contract.h"

namespace device::kiosk_engine {

using device::engine_contract::kCodeCompareLength;

bool CodeMatchesFile(const char* fileBytes, std::size_t fileSize, const char* typed) {
  const std::size_t length = fileSize < kCodeCompareLength ? fileSize : kCodeCompareLength;
  std::size_t i = 0;
  for (; i < length && fileBytes[i] != '\0'; ++i) {
    if (typed[i] != fileBytes[i]) return false;
  }
  return typed[i] == '\0';
}

bool TypedCodeMatchesFile(const char* fileBytes, std::size_t fileSize, const wchar_t* typed) {
  char digits[kCodeCompareLength + 1] = {};
  for (std::size_t i = 0; typed[i] != L'\0'; ++i) {
    if (i == kCodeCompareLength || typed[i] < L'0' || typed[i] > L'9') return false;
    digits[i] = static_cast<char>(typed[i]);
  }
  return CodeMatchesFile(fileBytes, fileSize, digits);
}

}  // namespace device::kiosk_engine
