#include "standins/ce_installer/fdi_cabinet.h"

// clang-format off: fdi.h needs the types of windows.h
#include <fdi.h>
#include <windows.h>
// clang-format on
#include <fcntl.h>

#include <cstdlib>
#include <stdexcept>

#include "standins/ce_installer/device_files.h"
#include "standins/ce_installer/device_folders.h"
#include "support/text.h"

namespace standins::ce_installer {

using support::Narrow;
namespace {

HANDLE AsHandle(INT_PTR file) { return reinterpret_cast<HANDLE>(file); }

FNALLOC(Allocate) { return std::malloc(cb); }
FNFREE(Release) { std::free(pv); }

// FDI opens only the cabinet itself through this, for reading.
FNOPEN(Open) {
  (void)pmode;
  if (oflag & (_O_WRONLY | _O_RDWR | _O_CREAT)) return -1;
  HANDLE file =
      CreateFileA(pszFile, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  return file == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<INT_PTR>(file);
}

FNREAD(Read) {
  DWORD done = 0;
  return ReadFile(AsHandle(hf), pv, cb, &done, nullptr) ? done : static_cast<UINT>(-1);
}

FNWRITE(Write) {
  DWORD done = 0;
  return WriteFile(AsHandle(hf), pv, cb, &done, nullptr) ? done : static_cast<UINT>(-1);
}

FNCLOSE(Close) { return CloseHandle(AsHandle(hf)) ? 0 : -1; }

FNSEEK(Seek) {
  DWORD at = SetFilePointer(AsHandle(hf), dist, nullptr, static_cast<DWORD>(seektype));
  return at == INVALID_SET_FILE_POINTER ? -1 : static_cast<LONG>(at);
}

struct Extraction {
  std::string folder;
  std::vector<std::string> members;
  std::string refusal;  // why a member was refused
};

FNFDINOTIFY(Notify) {
  auto* extraction = static_cast<Extraction*>(pfdin->pv);
  switch (fdint) {
    case fdintCOPY_FILE: {
      std::string name = pfdin->psz1;
      if (!IsPlainName(name)) {
        extraction->refusal = "cabinet member \"" + name + "\" is not a plain file name";
        return -1;
      }
      for (const std::string& earlier : extraction->members) {
        if (EqualsIgnoringCase(earlier, name)) {
          extraction->refusal = "cabinet member \"" + name + "\" appears twice";
          return -1;
        }
      }
      HANDLE file = CreateFileA((extraction->folder + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
      if (file == INVALID_HANDLE_VALUE) {
        extraction->refusal = "cannot extract " + name;
        return -1;
      }
      extraction->members.push_back(name);
      return reinterpret_cast<INT_PTR>(file);
    }
    case fdintCLOSE_FILE_INFO:
      return CloseHandle(AsHandle(pfdin->hf)) ? TRUE : FALSE;
    case fdintNEXT_CABINET:
      extraction->refusal = "the package continues in another cabinet";
      return -1;
    default:
      return 0;
  }
}

std::string FdiReason(const ERF& error) {
  switch (error.erfOper) {
    case FDIERROR_CABINET_NOT_FOUND:
      return "cabinet not found";
    case FDIERROR_NOT_A_CABINET:
      return "not a cabinet";
    case FDIERROR_UNKNOWN_CABINET_VERSION:
      return "unknown cabinet version";
    case FDIERROR_CORRUPT_CABINET:
      return "corrupt cabinet";
    case FDIERROR_ALLOC_FAIL:
      return "out of memory";
    case FDIERROR_BAD_COMPR_TYPE:
      return "unknown compression";
    case FDIERROR_MDI_FAIL:
      return "damaged compressed data";
    case FDIERROR_TARGET_FILE:
      return "cannot write an extracted member";
    case FDIERROR_RESERVE_MISMATCH:
      return "reserved sizes do not match";
    case FDIERROR_WRONG_CABINET:
      return "wrong cabinet";
    default:
      return "cabinet unreadable (FDI error " + std::to_string(error.erfOper) + ")";
  }
}

}  // namespace

std::vector<std::string> ExtractCabinet(const std::wstring& cabinetPath, const std::wstring& folder) {
  ERF error = {};
  HFDI fdi = FDICreate(Allocate, Release, Open, Read, Write, Close, Seek, cpuUNKNOWN, &error);
  if (fdi == nullptr) throw std::runtime_error("cabinet.dll: " + FdiReason(error));
  Extraction extraction{Narrow(folder), {}, {}};
  std::string path = Narrow(cabinetPath);
  size_t slash = path.find_last_of('\\');
  std::string name = path.substr(slash + 1);
  std::string cabinetFolder = path.substr(0, slash + 1);
  BOOL copied = FDICopy(fdi, name.data(), cabinetFolder.data(), 0, Notify, nullptr, &extraction);
  FDIDestroy(fdi);
  if (!extraction.refusal.empty()) throw std::runtime_error(extraction.refusal);
  if (!copied) throw std::runtime_error(FdiReason(error));
  if (extraction.members.empty()) throw std::runtime_error("the cabinet is empty");
  return extraction.members;
}

}  // namespace standins::ce_installer
