#pragma once
// A DLL loaded for the object's lifetime, with typed look-ups of its exports.
// When it did not load, every look-up gives null.
#include <windows.h>

#include <string>

namespace support {

class Library {
 public:
  explicit Library(const char* name) : module_(LoadLibraryA(name)) {}
  // No library at all for an empty path. flags as LoadLibraryExW takes them.
  explicit Library(const std::wstring& path, DWORD flags = 0)
      : module_(path.empty() ? nullptr : LoadLibraryExW(path.c_str(), nullptr, flags)) {}
  ~Library() {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;

  bool Loaded() const { return module_ != nullptr; }

  template <class Function>
  Function Bind(const char* name) const {
    return module_ != nullptr ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_, name)))
                              : nullptr;
  }

 private:
  HMODULE module_;
};

}  // namespace support
