#pragma once
// clang-format off: fci.h needs the types of windows.h
#include <windows.h>
#include <fci.h>
// clang-format on

#include <string>

namespace package_tool {

// One cabinet written through cabinet.dll's file compression interface.
// Members are stored without compression, which every device installer
// reads. Errors throw PackageError naming the cabinet; the caller removes
// what an unfinished cabinet left.
class FciCabinet {
 public:
  explicit FciCabinet(const std::string& cabinet_path);
  ~FciCabinet();
  FciCabinet(const FciCabinet&) = delete;
  FciCabinet& operator=(const FciCabinet&) = delete;

  void Add(const std::string& source_path, const std::string& name_in_cabinet);
  void Finish();

 private:
  [[noreturn]] void Fail(const std::string& what) const;

  std::string path_;
  ERF error_{};
  CCAB cabinet_{};
  HFCI fci_ = nullptr;
};

}  // namespace package_tool
