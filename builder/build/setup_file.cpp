#include "builder/build/setup_file.h"

#include <windows.h>

#include <new>
#include <optional>
#include <string>

#include "builder/build/core/text_file.h"
#include "support/scoped_handle.h"

namespace builder::build {

namespace {

constexpr const char* kTemplateFile = "setup_tmpl.inf";
constexpr const char* kSetupFile = "setup.inf";
constexpr const char* kSizeUnknown = "Internal Error. (Code 31)";
constexpr const char* kReadShort = "Internal Error. (Code 32)";

// The template's whole content, or the message that tells why not.
struct TemplateContent {
  std::optional<std::string> bytes;
  const char* failure = nullptr;
};

TemplateContent ReadTemplate() {
  // Open-or-create: a missing template becomes an empty one. Readers may
  // share it, so that a bcbuild copying the builder's template at that moment
  // does not make this Build fail; writers may not.
  support::ScopedHandle file(
      CreateFileA(kTemplateFile, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD sizeHigh = 0;
  const DWORD size = GetFileSize(file.Get(), &sizeHigh);
  // A template over 4 GB has no size this reader can hold.
  if ((size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) || sizeHigh != 0) return {std::nullopt, kSizeUnknown};
  std::string bytes;
  try {
    bytes.assign(size_t{size} + 1, '\0');
  } catch (const std::bad_alloc&) {
    return {std::nullopt, kReadShort};  // Too big to hold counts as not read.
  }
  DWORD read = 0;
  if (!ReadFile(file.Get(), bytes.data(), size, &read, nullptr) || read < size) return {std::nullopt, kReadShort};
  return {std::move(bytes)};
}

}  // namespace

const char* FillSetupFile(const SetupSubstitutionList& substitutions) {
  const TemplateContent content = ReadTemplate();
  if (!content.bytes) return content.failure;
  WriteTextModeFile(kSetupFile, FillSetupTemplate(*content.bytes, substitutions));
  return nullptr;
}

}  // namespace builder::build
