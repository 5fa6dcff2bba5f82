#include "device/setup/engine_path.h"

#include "device/engine_contract/engine_contract.h"

namespace bcesetup {

std::optional<std::wstring> EnginePathIn(const wchar_t* installFolder) {
  if (installFolder == nullptr) return std::nullopt;
  std::wstring path = installFolder;
  path += L'\\';
  path += bc::engine::kEngineFileName.wide;
  if (path.size() + 1 > kEnginePathUnits) return std::nullopt;
  return path;
}

}  // namespace bcesetup
