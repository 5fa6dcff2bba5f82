#pragma once
// The device's file system as this Wine prefix plays it: the device's root is
// the drive of its Windows folder, so "\Windows\x" is C:\Windows\x.
#include <windows.h>

#include <optional>
#include <string>

namespace ce_installer {

// "C:" for a device path "\..."; device paths are made absolute on it.
std::wstring DeviceRoot();
std::wstring HostPath(const std::string& device_path);

bool Exists(const std::wstring& path);
bool IsFolder(const std::wstring& path);
std::optional<std::string> ReadWholeFile(const std::wstring& path);
bool WriteWholeFile(const std::wstring& path, const std::string& bytes);

// A fresh folder for this run in the temporary folder, removed with
// everything in it at the end.
class WorkFolder {
 public:
  WorkFolder();
  ~WorkFolder();
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;
  const std::wstring& path() const { return path_; }
  std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};

void RemoveTree(const std::wstring& folder);

}  // namespace ce_installer
