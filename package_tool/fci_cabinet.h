#pragma once
// clang-format off: fci.h needs the types of windows.h
#include <windows.h>
#include <fci.h>
// clang-format on

#include <string>

namespace package_tool {

// How members are packed: MSZIP, which the device's installer reads, or
// stored as they are.
enum class Packing { Mszip, Stored };

// One cabinet written through cabinet.dll's file compression interface.
// Errors throw PackageError naming the cabinet; the caller removes what an
// unfinished cabinet left.
class FciCabinet {
 public:
  // headerReserve bytes are kept free in the cabinet's header, for a signature's place.
  FciCabinet(const std::string& cabinetPath, Packing packing, unsigned headerReserve);
  ~FciCabinet();
  FciCabinet(const FciCabinet&) = delete;
  FciCabinet& operator=(const FciCabinet&) = delete;

  void Add(const std::string& sourcePath, const std::string& nameInCabinet);
  void Finish();

 private:
  [[noreturn]] void Fail(const std::string& what) const;

  std::string path_;
  TCOMP compression_;
  ERF error_{};
  CCAB cabinet_{};
  HFCI fci_ = nullptr;
};

}  // namespace package_tool
