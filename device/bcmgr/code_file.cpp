#include "device/bcmgr/code_file.h"

#include <cstdio>
#include <cstring>

#include "device/engine_contract/engine_contract.h"

namespace device::bcmgr {

int MatchCodeFile(const char* code) {
  using device::engine_contract::kCodeCompareLength;
  char fileBuffer[kCodeCompareLength + 1] = {};
  FILE* file = std::fopen(device::engine_contract::kCodeFilePath.narrow, "r");
  if (file == nullptr) return 0;
  // Read byte-wise so that a file shorter than the compared length leaves
  // exactly its own bytes in the buffer.
  std::fread(fileBuffer, 1, kCodeCompareLength, file);
  const bool equal = std::strcmp(fileBuffer, code) == 0;
  std::fclose(file);
  return equal ? 1 : 0;
}

}  // namespace device::bcmgr
