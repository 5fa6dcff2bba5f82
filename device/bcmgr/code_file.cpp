#include "device/bcmgr/code_file.h"

#include <cstdio>

#include "device/engine_contract/engine_contract.h"
#include "device/kiosk_engine/core/code_check.h"

namespace device::bcmgr {

int MatchCodeFile(const char* code) {
  using device::engine_contract::kCodeCompareLength;
  char fileBuffer[kCodeCompareLength] = {};
  FILE* file = std::fopen(device::engine_contract::kCodeFilePath.narrow, "r");
  if (file == nullptr) return 0;
  // Read byte-wise so that a file shorter than the compared length gives
  // exactly its own bytes.
  const std::size_t fileSize = std::fread(fileBuffer, 1, kCodeCompareLength, file);
  std::fclose(file);
  return device::kiosk_engine::CodeMatchesFile(fileBuffer, fileSize, code) ? 1 : 0;
}

}  // namespace device::bcmgr
