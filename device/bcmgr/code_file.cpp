#include "device/bcmgr/code_file.h"

#include <cstdio>
#include <cstring>

#include "device/engine_contract/engine_contract.h"

namespace bcmgr {

int MatchCodeFile(const char* code) {
  using bc::engine::kCodeCompareLength;
  char fileBuffer[kCodeCompareLength + 1] = {};
  FILE* file = std::fopen(bc::engine::kCodeFilePath.narrow, "r");
  if (file == nullptr) return 0;
  // Read byte-wise so that a file shorter than the compared length leaves
  // exactly its own bytes in the buffer.
  std::fread(fileBuffer, 1, kCodeCompareLength, file);
  const bool equal = std::strcmp(fileBuffer, code) == 0;
  std::fclose(file);
  return equal ? 1 : 0;
}

}  // namespace bcmgr
