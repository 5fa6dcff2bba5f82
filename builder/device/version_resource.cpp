#include "builder/device/version_resource.h"

#include <windows.h>

#include "builder/build/core/builder_paths.h"
#include "builder/device/core/version_text.h"
#include "device/engine_contract/engine_contract.h"
#include "framework/module_path.h"

namespace builder::device {

namespace engine_contract = ::device::engine_contract;

namespace {

std::string VersionFilePath(VersionSource source) {
  const std::string modulePath = framework::ModulePath();
  if (source == VersionSource::Builder) return modulePath;
  const auto folder = build::BuilderFolderFromModulePath(modulePath);
  // An engine path too long for its buffer names no file.
  return (folder ? build::JoinPath(*folder, engine_contract::kEngineDesktopPath.narrow) : std::nullopt)
      .value_or(std::string());
}

// The "SpecialBuild" string of the first translation; empty without one.
std::string SpecialBuildText(const void* block) {
  struct Translation {
    WORD language;
    WORD codePage;
  };
  void* value = nullptr;
  UINT size = 0;
  if (!VerQueryValueA(block, "\\VarFileInfo\\Translation", &value, &size) || size < sizeof(Translation)) return {};
  const auto* translation = static_cast<const Translation*>(value);
  const std::string query = SpecialBuildQuery(translation->language, translation->codePage);
  if (!VerQueryValueA(block, query.c_str(), &value, &size) || size == 0) return {};
  const auto* text = static_cast<const char*>(value);
  return std::string(text, strnlen(text, size));
}

std::string VersionTextOf(const void* block) {
  void* value = nullptr;
  UINT size = 0;
  if (!VerQueryValueA(block, "\\", &value, &size) || size < sizeof(VS_FIXEDFILEINFO)) return {};
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  const bool special = (fixed->dwFileFlags & kSpecialBuildFlag) != 0;
  return FormatVersionText({fixed->dwFileVersionMS, fixed->dwFileVersionLS},
                           special ? SpecialBuildText(block) : std::string());
}

}  // namespace

std::string GetVersionText(VersionSource source) {
  const std::string path = VersionFilePath(source);
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  if (size == 0) return {};
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  if (memory == nullptr) return {};
  std::string text;
  if (void* block = GlobalLock(memory)) {
    if (GetFileVersionInfoA(path.c_str(), 0, size, block)) text = VersionTextOf(block);
    GlobalUnlock(memory);
  }
  GlobalFree(memory);
  return text;
}

}  // namespace builder::device
