#include "build_tool/work_folder.h"

#include <windows.h>

#include "support/text.h"

namespace build_tool {

namespace {

// The package script, the template it is filled from, the package tool it
// runs and the device files folder that the template names.
constexpr const char* kPackageSources[] = {"mksetup.bat", "setup_tmpl.inf", "bcpack.exe", "pocketpc"};

bool CopyTree(const std::string& from, const std::string& to) {
  const DWORD attributes = GetFileAttributesA(from.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return CopyFileA(from.c_str(), to.c_str(), FALSE) != FALSE;
  if (!CreateDirectoryA(to.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((from + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return true;
  bool copied = true;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") copied = CopyTree(from + "\\" + name, to + "\\" + name) && copied;
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return copied;
}

}  // namespace

WorkFolder::WorkFolder(const std::string& builderFolder, const std::string& certificateFile,
                       const std::string& passwordFile)
    : folder_(L"bcbuild"), path_(support::Narrow(folder_.Path())) {
  if (!support::IsFolder(folder_.Path())) {
    failure_ = "no work folder can be made in the temporary folder";
    return;
  }
  for (const char* name : kPackageSources) {
    if (!CopyTree(builderFolder + "\\" + name, path_ + "\\" + name)) {
      failure_ = builderFolder + "\\" + name + " cannot be copied into a work folder";
      return;
    }
  }
  if (!certificateFile.empty()) CopySigningFiles(certificateFile, passwordFile);
}

void WorkFolder::CopySigningFiles(const std::string& certificateFile, const std::string& passwordFile) {
  const std::string signing = path_ + "\\signing";
  CreateDirectoryA(signing.c_str(), nullptr);
  if (!CopyFileA(certificateFile.c_str(), (signing + "\\package.pfx").c_str(), FALSE)) {
    failure_ = certificateFile + ": error: cannot read the certificate file";
  } else if (!passwordFile.empty() && !CopyFileA(passwordFile.c_str(), (signing + "\\password.txt").c_str(), FALSE)) {
    failure_ = passwordFile + ": error: cannot read the password file";
  }
}

}  // namespace build_tool
