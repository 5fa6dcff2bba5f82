#pragma once
// wceload.exe run as the device runs it: on a cabinet that the real bcpack.exe
// makes from the filled setup template, in this prefix whose C:\ is the
// device's root. Message boxes are answered from the test.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/device/device_test_support.h"

namespace ce_installer_test {

using device_test::BoxText;
using device_test::PathExists;
using device_test::WideWindowsPath;
using device_test::ReadWholeFile;
using device_test::VisibleBox;
using device_test::WriteWholeFile;

// The device's folders as this prefix holds them.
inline const std::wstring kInstallFolder = L"C:\\Program Files\\Brindlecove";
inline const std::wstring kWindows = L"C:\\windows";
inline const std::wstring kRecord = L"C:\\windows\\AppMgr\\Brindlecove.txt";
inline const std::wstring kShortcut = L"C:\\windows\\Start Menu\\Programs\\Brindlecove.lnk";
inline const std::wstring kStartUpShortcut = L"C:\\windows\\StartUp\\Brindlecove.lnk";

// A builder's folder laid out as Build leaves it, packed by bcpack.exe.
class PackedBuilderFolder {
 public:
  // setupLibrary: the DLL the package carries as BCESetup.dll; stored:
  // members packed as they are rather than compressed.
  explicit PackedBuilderFolder(const std::wstring& setupLibrary, bool stored = false);
  bool Packed() const { return packed_; }
  // The package for the emulated device (x86, processor 686) and the one for ARM Pocket PCs (2577).
  std::wstring Cabinet() const { return folder_.File(L"output\\Brindlecove.PPC_X86.CAB"); }
  std::wstring ArmCabinet() const { return folder_.File(L"output\\Brindlecove.PPC_ARM.CAB"); }
  // A source file of the package, relative to the folder ("pocketpc\x86\bcmgr.dll").
  std::string Source(const std::wstring& relative) const;

 private:
  support::TemporaryFolder folder_{L"bc_ce_installer"};
  bool packed_ = false;
};

// The device's processor file: while one lives, the device reports that processor.
inline const std::wstring kProcessorFile = L"C:\\windows\\processor-type";
class DeviceProcessor {
 public:
  explicit DeviceProcessor(uint32_t processor);
  ~DeviceProcessor();
  DeviceProcessor(const DeviceProcessor&) = delete;
  DeviceProcessor& operator=(const DeviceProcessor&) = delete;
};

struct InstallerRun {
  std::optional<DWORD> exitCode;              // nothing when it did not end in time
  std::vector<std::wstring> messages;          // texts of its "Installation" boxes, answered OK
  std::vector<std::wstring> setupQuestions;   // "Brindlecove Setup" questions, answered No
};

// Runs wceload.exe with the arguments and answers every box it shows.
InstallerRun RunInstaller(const std::wstring& arguments);

// The last line of \Windows\wceload.log.
std::string LastLogLine();

// HKLM\Software\Brindlecove value, as stored.
struct RegistryData {
  DWORD type = REG_NONE;
  std::string bytes;
};
std::optional<RegistryData> ReadValue(const wchar_t* key, const wchar_t* name);
bool KeyExists(const wchar_t* key);
std::string Utf16Bytes(const std::wstring& text);  // with the terminator, as REG_SZ holds it

// Nothing of the package on the device: its files, folder, shortcut, values, record.
bool NothingInstalled();
// Removes whatever a test left of the package.
void RemoveInstallation();

// Puts a DER certificate into one of the device's registry certificate
// stores (HKLM\Comm\Security\SystemCertificates\<store>); false when it cannot.
bool TrustOnDevice(const std::wstring& store, const std::string& certificate);

}  // namespace ce_installer_test
