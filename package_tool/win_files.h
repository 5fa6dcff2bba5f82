#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace package_tool {

bool IsFile(const std::string& path);
// Throws PackageError naming the path.
std::string ReadWholeFile(const std::string& path);
// Throws PackageError naming the path.
void WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes);
void CreateFolder(const std::string& path);
// Moves from over to, replacing it; false when that fails.
bool ReplaceWith(const std::string& from, const std::string& to);
void RemoveFile(const std::string& path);

// "a\b" from "a\b\c.inf"; "" for a bare name.
std::string FolderOf(const std::string& path);
// Folder and name with one backslash between; a bare name when folder is empty.
std::string InFolder(const std::string& folder, const std::string& name);

// A file in the system's temporary folder that holds the given bytes and is
// deleted with this object.
class TemporaryFile {
 public:
  explicit TemporaryFile(const std::vector<uint8_t>& bytes);
  ~TemporaryFile();
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// A fresh name in this run's own folder in the temporary folder, which goes
// with everything in it when the run ends.
std::string NewTemporaryName();

}  // namespace package_tool
