#pragma once
// Whole files and folders, for the programs and the tests alike. Narrow paths
// are in the ANSI code page, as the builder holds them.
#include <optional>
#include <string>

namespace support {

std::optional<std::string> ReadWholeFile(const std::wstring& path);
std::optional<std::string> ReadWholeFile(const std::string& path);
bool WriteWholeFile(const std::wstring& path, const std::string& bytes);
bool WriteWholeFile(const std::string& path, const std::string& bytes);

bool PathExists(const std::wstring& path);
bool PathExists(const std::string& path);
bool IsFolder(const std::wstring& path);

// The full form of a path against the current folder, of any length; the
// path as it is when it has none (an empty one, say).
std::string FullPath(const std::string& path);

// Removes the folder with everything below it; true when it is gone.
bool RemoveTree(const std::wstring& folder);

// A fresh folder in the temporary folder, "<prefix>_<process>_<n>", removed
// with everything in it at the end.
class TemporaryFolder {
 public:
  explicit TemporaryFolder(const std::wstring& prefix);
  ~TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  const std::wstring& Path() const { return path_; }
  std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};

}  // namespace support
