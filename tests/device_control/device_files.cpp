#include "tests/device_control/device_files.h"

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "tests/gui_driver/gui_driver.h"

namespace device_control_test {

namespace {

std::string SessionFile(const std::string& name) {
  const char* session = std::getenv("BC_SESSION_DIR");
  return gui_driver::WindowsPath(std::string(session ? session : "") + "/" + name);
}

}  // namespace

std::string DeviceWindowsFile(const std::string& name) {
  return SessionFile("device-prefix/drive_c/windows/" + name);
}

std::string ReadFileText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

void WriteFileText(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

void RemoveFile(const std::string& path) { DeleteFileA(path.c_str()); }

void WriteCodeFile(const std::string& content) { WriteFileText(DeviceWindowsFile("abce.pac"), content); }

void SetSecurityPolicyDenies(bool deny) {
  if (deny) {
    WriteFileText(DeviceWindowsFile("rapi-deny-all"), "");
  } else {
    RemoveFile(DeviceWindowsFile("rapi-deny-all"));
  }
}

void SetUnplugged(bool unplugged) {
  if (unplugged) {
    WriteFileText(DeviceWindowsFile("rapi-unplugged"), "");
  } else {
    RemoveFile(DeviceWindowsFile("rapi-unplugged"));
  }
}

std::vector<std::string> DeviceCalls() {
  std::istringstream log(ReadFileText(SessionFile("device-calls.log")));
  std::vector<std::string> lines;
  for (std::string line; std::getline(log, line);) lines.push_back(line);
  return lines;
}

std::string DevicePort() {
  const char* port = std::getenv("BC_DEVICE_PORT");
  return port ? port : "";
}

}  // namespace device_control_test
