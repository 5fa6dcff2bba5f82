#include "package_tool/fci_cabinet.h"

#include <fcntl.h>

#include <cstdlib>
#include <cstring>

#include "package_tool/package_error.h"
#include "package_tool/win_files.h"

namespace package_tool {
namespace {

constexpr USHORT kKeptAttributes =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

HANDLE AsHandle(INT_PTR file) { return reinterpret_cast<HANDLE>(file); }

INT_PTR Opened(HANDLE handle, int* err) {
  if (handle != INVALID_HANDLE_VALUE) return reinterpret_cast<INT_PTR>(handle);
  *err = static_cast<int>(GetLastError());
  return -1;
}

FNFCIALLOC(Allocate) { return std::malloc(cb); }
FNFCIFREE(Release) { std::free(memory); }

FNFCIOPEN(Open) {
  (void)pmode;
  (void)pv;
  DWORD access = (oflag & _O_RDWR)     ? GENERIC_READ | GENERIC_WRITE
                 : (oflag & _O_WRONLY) ? GENERIC_WRITE
                                       : GENERIC_READ;
  DWORD disposition = OPEN_EXISTING;
  if (oflag & _O_CREAT) {
    disposition = (oflag & _O_EXCL) ? CREATE_NEW : (oflag & _O_TRUNC) ? CREATE_ALWAYS : OPEN_ALWAYS;
  } else if (oflag & _O_TRUNC) {
    disposition = TRUNCATE_EXISTING;
  }
  return Opened(
      CreateFileA(pszFile, access, FILE_SHARE_READ, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr),
      err);
}

FNFCIREAD(Read) {
  (void)pv;
  DWORD done = 0;
  if (ReadFile(AsHandle(hf), memory, cb, &done, nullptr)) return done;
  *err = static_cast<int>(GetLastError());
  return static_cast<UINT>(-1);
}

FNFCIWRITE(Write) {
  (void)pv;
  DWORD done = 0;
  if (WriteFile(AsHandle(hf), memory, cb, &done, nullptr)) return done;
  *err = static_cast<int>(GetLastError());
  return static_cast<UINT>(-1);
}

FNFCICLOSE(Close) {
  (void)pv;
  if (CloseHandle(AsHandle(hf))) return 0;
  *err = static_cast<int>(GetLastError());
  return -1;
}

FNFCISEEK(Seek) {
  (void)pv;
  DWORD at = SetFilePointer(AsHandle(hf), dist, nullptr, static_cast<DWORD>(seektype));
  if (at != INVALID_SET_FILE_POINTER) return static_cast<__LONG32>(at);
  *err = static_cast<int>(GetLastError());
  return -1;
}

FNFCIDELETE(Delete) {
  (void)pv;
  if (DeleteFileA(pszFile)) return 0;
  *err = static_cast<int>(GetLastError());
  return -1;
}

FNFCIGETTEMPFILE(TemporaryName) {
  (void)pv;
  try {
    std::string name = NewTemporaryName();
    if (name.size() >= static_cast<size_t>(cbTempName)) return FALSE;
    std::memcpy(pszTempName, name.c_str(), name.size() + 1);
    return TRUE;
  } catch (const PackageError&) {
    return FALSE;
  }
}

FNFCIFILEPLACED(Placed) {
  (void)pccab;
  (void)pszFile;
  (void)cbFile;
  (void)fContinuation;
  (void)pv;
  return 0;
}

FNFCIGETNEXTCABINET(NoNextCabinet) {
  (void)pccab;
  (void)cbPrevCab;
  (void)pv;
  return FALSE;  // everything goes into one cabinet
}

FNFCISTATUS(Progress) {
  (void)typeStatus;
  (void)cb1;
  (void)cb2;
  (void)pv;
  return 0;
}

FNFCIGETOPENINFO(OpenSource) {
  (void)pv;
  HANDLE file = CreateFileA(pszName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  BY_HANDLE_FILE_INFORMATION info;
  FILETIME local;
  if (file == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(file, &info) ||
      !FileTimeToLocalFileTime(&info.ftLastWriteTime, &local) ||
      !FileTimeToDosDateTime(&local, pdate, ptime)) {
    *err = static_cast<int>(GetLastError());
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return -1;
  }
  *pattribs = static_cast<USHORT>(info.dwFileAttributes) & kKeptAttributes;
  return reinterpret_cast<INT_PTR>(file);
}

const char* Describe(int fciError) {
  switch (fciError) {
    case FCIERR_OPEN_SRC:
      return "cannot open a source file";
    case FCIERR_READ_SRC:
      return "cannot read a source file";
    case FCIERR_ALLOC_FAIL:
      return "out of memory";
    case FCIERR_TEMP_FILE:
      return "cannot use a temporary file";
    case FCIERR_CAB_FILE:
      return "cannot write the cabinet file";
    default:
      return "the compression interface failed";
  }
}

// Copies text into a fixed CCAB field; false when it does not fit.
template <size_t N>
bool CopyInto(char (&field)[N], const std::string& text) {
  if (text.size() >= N) return false;
  std::memcpy(field, text.c_str(), text.size() + 1);
  return true;
}

}  // namespace

FciCabinet::FciCabinet(const std::string& cabinetPath, Packing packing, unsigned headerReserve)
    : path_(cabinetPath), compression_(packing == Packing::Mszip ? tcompTYPE_MSZIP : tcompTYPE_NONE) {
  std::string folder = FolderOf(cabinetPath);
  std::string name = cabinetPath.substr(folder.empty() ? 0 : folder.size() + 1);
  cabinet_.cb = 0x7FFFFFFF;
  cabinet_.cbFolderThresh = 0x7FFFFFFF;
  cabinet_.iCab = 1;
  cabinet_.cbReserveCFHeader = headerReserve;
  if (!CopyInto(cabinet_.szCabPath, folder.empty() ? folder : folder + "\\") ||
      !CopyInto(cabinet_.szCab, name)) {
    throw PackageError(path_, 0, "the cabinet's path is too long");
  }
  fci_ = FCICreate(&error_, Placed, Allocate, Release, Open, Read, Write, Close, Seek, Delete, TemporaryName,
                   &cabinet_, nullptr);
  if (fci_ == nullptr) Fail("cannot start the compression interface");
}

FciCabinet::~FciCabinet() {
  if (fci_ != nullptr) FCIDestroy(fci_);
}

void FciCabinet::Add(const std::string& sourcePath, const std::string& nameInCabinet) {
  std::string source = sourcePath;
  std::string name = nameInCabinet;
  if (!FCIAddFile(fci_, source.data(), name.data(), FALSE, NoNextCabinet, Progress, OpenSource,
                  compression_)) {
    Fail(std::string(Describe(error_.erfOper)) + " (" + sourcePath + ")");
  }
}

void FciCabinet::Finish() {
  if (!FCIFlushCabinet(fci_, FALSE, NoNextCabinet, Progress)) Fail(Describe(error_.erfOper));
  FCIDestroy(fci_);
  fci_ = nullptr;
}

void FciCabinet::Fail(const std::string& what) const { throw PackageError(path_, 0, what); }

}  // namespace package_tool
