#include "device/setup/engine_path.h"

#include "device/engine_contract/engine_contract.h"

namespace device::setup {

namespace {

// Appends text at path[used]; false when it and the terminator do not fit.
bool Append(wchar_t (&path)[kEnginePathUnits], std::size_t& used, const wchar_t* text) {
  for (; *text != L'\0'; ++text) {
    if (used + 1 >= kEnginePathUnits) return false;
    path[used++] = *text;
  }
  path[used] = L'\0';
  return true;
}

}  // namespace

bool EnginePathIn(const wchar_t* installFolder, wchar_t (&path)[kEnginePathUnits]) {
  std::size_t used = 0;
  path[0] = L'\0';
  const bool fits = installFolder != nullptr && Append(path, used, installFolder) && Append(path, used, L"\\") &&
                    Append(path, used, device::engine_contract::kEngineFileName.wide);
  if (!fits) path[0] = L'\0';
  return fits;
}

}  // namespace device::setup
