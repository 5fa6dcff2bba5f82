#include "tests/ce_installer/installer_test_support.h"

#include <shlwapi.h>
#include <wincrypt.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <utility>

#include "support/text.h"

namespace ce_installer_test {
namespace {

using namespace std::chrono_literals;

// The placeholders Build fills, with test values; the logo stays in.
const std::pair<const char*, const char*> kSettings[] = {
    {"APPLICATION_PATH", "\\Windows\\pword.exe"}, {"APPLICATION_PARAMS", "-f"},
    {"APPLICATION_COUNTDOWN", "15"},              {"DISABLE_ACTIVESYNC_CONNECTION", "1"},
    {"DISABLE_HARDBUTTONS", "9"},                 {"ENABLE_KIOSKDESKTOP", "2"},
    {"KIOSK_DESKTOP_TITLE_TEXT", "Title"},        {"UNLOCK_ON_TAP_IN_KIOSKDESKTOP", "3"},
    {"SHOWSIPICON_IN_KIOSKDESKTOP", "4"},         {"ENABLETASKBAR_IN_KIOSKDESKTOP", "5"},
    {"SHOWTASKBAR", "6"},                         {"SHOWVERSION", "7"},
    {"DISABLE_CONTINUE_BUTTON", "8"},             {"TARGET_APP_RESTART_DELAY", "65535"},
    {"LANGUAGE_TO_BE_USED", "brazilian"},         {"SHOW_LOGO", "1"},
    {"FIT_LOGO_TO_SCREEN", "10"},
};

// Values of the types the template does not use, and one naming a device folder.
constexpr char kExtraValues[] =
    "HKLM, Software\\Brindlecove, TestList, 0x00010000, \"one\", \"two\"\n"
    "HKLM, Software\\Brindlecove, TestBytes, 0x00000001, 0A, FF\n"
    "HKLM, Software\\Brindlecove, TestFolder, 0x00000000, \"%CE2%\\abce.pac\"\n";

std::string FilledTemplate() {
  std::string text = ReadWholeFile(WideWindowsPath(BC_SETUP_TEMPLATE)).value_or("");
  for (const auto& [key, value] : kSettings) {
    for (size_t at; (at = text.find(key)) != std::string::npos;) text.replace(at, std::string(key).size(), value);
  }
  size_t regEnd = text.find('\n', text.find("FitLogoToScreen,")) + 1;
  text.insert(regEnd, kExtraValues);
  std::string crlf;
  for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return crlf;
}

std::string RandomBytes(size_t count, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(count, '\0');
  for (char& byte : bytes) byte = static_cast<char>(random());
  return bytes;
}

// Answers a box once: it may stay on screen a moment after the press.
void Answer(HWND box, int button, std::vector<std::wstring>& texts, std::vector<HWND>& answered) {
  if (std::find(answered.begin(), answered.end(), box) != answered.end()) return;
  answered.push_back(box);
  texts.push_back(BoxText(box));
  PostMessageW(box, WM_COMMAND, button, 0);
}

}  // namespace

PackedBuilderFolder::PackedBuilderFolder(const std::wstring& setupLibrary, bool stored) {
  CreateDirectoryW(folder_.File(L"pocketpc").c_str(), nullptr);
  unsigned seed = 1;
  // Each processor's folder with files of its own, so that a test sees which package installed.
  for (const std::wstring folder : {L"pocketpc\\arm\\", L"pocketpc\\x86\\"}) {
    CreateDirectoryW(folder_.File(folder).c_str(), nullptr);
    for (const wchar_t* name : {L"brindlecove.exe", L"bcmgr.dll", L"bcebtn.exe"}) {
      WriteWholeFile(folder_.File(folder + name), RandomBytes(3000 + seed * 100, seed));
      ++seed;
    }
    CopyFileW(setupLibrary.c_str(), folder_.File(folder + L"BCESetup.dll").c_str(), FALSE);
  }
  WriteWholeFile(folder_.File(L"bce_logofile"), RandomBytes(3000 + seed * 100, seed));
  WriteWholeFile(folder_.File(L"abce.pac"), "1234");
  WriteWholeFile(folder_.File(L"set.alf"), "1;0;Word;\\windows\\pword.exe;;");
  WriteWholeFile(folder_.File(L"setup.inf"), FilledTemplate());

  gui_driver::Process bcpack(gui_driver::WindowsPath(BC_BCPACK),
                             stored ? "--store setup.inf output" : "setup.inf output", support::Narrow(folder_.Path()));
  packed_ = bcpack.Started() && bcpack.WaitForExit(60s) == 0 && PathExists(Cabinet()) && PathExists(ArmCabinet());
}

std::string PackedBuilderFolder::Source(const std::wstring& relative) const {
  return ReadWholeFile(folder_.File(relative)).value_or("(missing source)");
}

DeviceProcessor::DeviceProcessor(uint32_t processor) {
  WriteWholeFile(kProcessorFile, std::to_string(processor));
}

DeviceProcessor::~DeviceProcessor() { DeleteFileW(kProcessorFile.c_str()); }

InstallerRun RunInstaller(const std::wstring& arguments) {
  InstallerRun run;
  gui_driver::Process installer(gui_driver::WindowsPath(BC_WCELOAD),
                                gui_driver::CommandLine{"wceload.exe " + support::Narrow(arguments)});
  if (!installer.Started()) return run;
  std::vector<HWND> answered;
  const auto deadline = std::chrono::steady_clock::now() + 20s;
  while (installer.Running()) {
    if (std::chrono::steady_clock::now() > deadline) return run;  // the helper ends it
    if (HWND box = VisibleBox(L"Installation")) Answer(box, IDOK, run.messages, answered);
    if (HWND question = VisibleBox(L"Brindlecove Setup")) Answer(question, IDNO, run.setupQuestions, answered);
    Sleep(20);
  }
  run.exitCode = installer.WaitForExit(0ms);
  return run;
}

std::string LastLogLine() {
  std::string log = ReadWholeFile(kWindows + L"\\wceload.log").value_or("");
  while (!log.empty() && (log.back() == '\n' || log.back() == '\r')) log.pop_back();
  return log.substr(log.find_last_of('\n') + 1);
}

std::optional<RegistryData> ReadValue(const wchar_t* key, const wchar_t* name) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return std::nullopt;
  RegistryData data;
  BYTE bytes[1024];
  DWORD size = sizeof bytes;
  LONG result = RegQueryValueExW(opened, name, nullptr, &data.type, bytes, &size);
  RegCloseKey(opened);
  if (result != ERROR_SUCCESS) return std::nullopt;
  data.bytes.assign(reinterpret_cast<const char*>(bytes), size);
  return data;
}

bool KeyExists(const wchar_t* key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  RegCloseKey(opened);
  return true;
}

std::string Utf16Bytes(const std::wstring& text) {
  return std::string(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * sizeof(wchar_t));
}

bool NothingInstalled() {
  return !PathExists(kInstallFolder) && !PathExists(kWindows + L"\\bcmgr.dll") &&
         !PathExists(kWindows + L"\\abce.pac") && !PathExists(kShortcut) && !PathExists(kStartUpShortcut) &&
         !PathExists(kRecord) &&
         !KeyExists(L"Software\\Brindlecove") && !KeyExists(L"Software\\Apps\\Brindlecove");
}

void RemoveInstallation() {
  support::RemoveTree(kInstallFolder);
  for (const wchar_t* file : {L"bcmgr.dll", L"abce.pac", L"AppMgr\\Brindlecove.txt", L"AppMgr\\Brindlecove.dll"}) {
    std::wstring path = kWindows + L"\\" + file;
    if (!DeleteFileW(path.c_str())) RemoveDirectoryW(path.c_str());
  }
  DeleteFileW(kShortcut.c_str());
  DeleteFileW(kStartUpShortcut.c_str());
  SHDeleteKeyW(HKEY_LOCAL_MACHINE, L"Software\\Brindlecove");
  SHDeleteKeyW(HKEY_LOCAL_MACHINE, L"Software\\Apps\\Brindlecove");
}

bool TrustOnDevice(const std::wstring& store, const std::string& certificate) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, (L"Comm\\Security\\SystemCertificates\\" + store).c_str(), 0, nullptr, 0,
                      KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  HCERTSTORE opened = CertOpenStore(CERT_STORE_PROV_REG, 0, 0, 0, key);
  const bool added = opened != nullptr &&
                     CertAddEncodedCertificateToStore(opened, X509_ASN_ENCODING,
                                                      reinterpret_cast<const BYTE*>(certificate.data()),
                                                      static_cast<DWORD>(certificate.size()),
                                                      CERT_STORE_ADD_REPLACE_EXISTING, nullptr);
  if (opened != nullptr) CertCloseStore(opened, 0);
  RegCloseKey(key);
  return added;
}

}  // namespace ce_installer_test
