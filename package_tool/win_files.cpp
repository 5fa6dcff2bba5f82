#include "package_tool/win_files.h"

#include <windows.h>

#include "package_tool/package_error.h"
#include "support/files.h"
#include "support/scoped_handle.h"
#include "support/text.h"

namespace package_tool {
namespace {

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes, DWORD disposition, DWORD attributes) {
  support::ScopedHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, disposition, attributes, nullptr));
  DWORD written = 0;
  return file.Valid() &&
         ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

}  // namespace

bool IsFile(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string ReadWholeFile(const std::string& path) {
  support::ScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file.Valid() || !GetFileSizeEx(file.Get(), &size) || size.QuadPart > 0x7FFFFFFF) {
    throw PackageError(path, 0, "cannot read the file");
  }
  std::string text(static_cast<size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!text.empty() && (!ReadFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr) ||
                        read != text.size())) {
    throw PackageError(path, 0, "cannot read the file");
  }
  return text;
}

void CreateFolder(const std::string& path) {
  if (!CreateDirectoryA(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
    throw PackageError(path, 0, "cannot create the output folder");
  }
}

void WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  if (!WriteFile(path, bytes, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL)) throw PackageError(path, 0, "cannot write the file");
}

bool ReplaceWith(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

void RemoveFile(const std::string& path) { DeleteFileA(path.c_str()); }

std::string FolderOf(const std::string& path) {
  size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string InFolder(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  char last = folder.back();
  return last == '\\' || last == '/' ? folder + name : folder + "\\" + name;
}

// The names lie in a folder of this run's own. A name that GetTempFileName made
// and that was deleted again for the compression interface to create could be
// handed to another bcpack running at the same time.
std::string NewTemporaryName() {
  static const support::TemporaryFolder folder(L"bcpack");
  static LONG serial = 0;
  if (!support::IsFolder(folder.Path())) throw PackageError("bcpack", 0, "cannot make a temporary file");
  return support::Narrow(folder.File(std::to_wstring(InterlockedIncrement(&serial)) + L".tmp"));
}

TemporaryFile::TemporaryFile(const std::vector<uint8_t>& bytes) : path_(NewTemporaryName()) {
  if (!WriteFile(path_, bytes, CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY)) {
    RemoveFile(path_);
    throw PackageError(path_, 0, "cannot write the temporary setup file");
  }
}

TemporaryFile::~TemporaryFile() { RemoveFile(path_); }

}  // namespace package_tool
