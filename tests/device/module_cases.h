#pragma once
// The device modules' behaviour as cases, one table for both builds: the
// desktop modules under Wine (bcmgr_test.cpp) and the CE ARM modules on the
// emulator (tests/arm_device). Plain data; each harness plays the device.
#include <optional>
#include <string>
#include <vector>

namespace device_test {

// CheckLogin: the code file's bytes (none: no file), the code the builder
// sends as UTF-16 units, with one meaningless byte after them when odd, and
// the verdict's first byte.
struct LoginCase {
  std::string what;
  std::optional<std::string> codeFile;
  std::string code;
  bool oddByte;
  int verdict;
};

inline std::vector<LoginCase> LoginCases() {
  const std::string longCode(150, '7');
  return {
      {"right code", "4711", "4711", false, 1},
      {"wrong code", "4711", "4712", false, 0},
      {"empty code", "4711", "", false, 0},
      {"shorter code", "4711", "471", false, 0},
      {"longer code", "4711", "47110", false, 0},
      {"odd byte count", "4711", "4711", true, 1},
      {"odd byte count, wrong code", "4711", "4712", true, 0},
      {"no code file", std::nullopt, "4711", false, 0},
      {"no code file, empty code", std::nullopt, "", false, 0},
      {"empty file, empty code", "", "", false, 1},
      {"empty file, some code", "", "0", false, 0},
      {"line end after the code", "4711\r\n", "4711", false, 0},
      {"only the first ten bytes count", "123456789012345", "1234567890", false, 1},
      {"nine of the ten bytes", "123456789012345", "123456789", false, 0},
      {"code longer than its buffer", longCode.substr(0, 10), longCode, false, 0},
  };
}

// The builder's request for a case: the code's UTF-16 units, then the odd byte.
inline std::vector<unsigned char> RequestOf(const LoginCase& c) {
  std::vector<unsigned char> request;
  for (char unit : c.code) {
    request.push_back(static_cast<unsigned char>(unit));
    request.push_back(0);
  }
  if (c.oddByte) request.push_back('9');
  return request;
}

// BCESetup's questions, in ASCII.
inline constexpr char kSetupCaption[] = "Brindlecove Setup";
inline constexpr char kSetupResetQuestion[] = "Device will reset automatically to avoid any startup issues. Reset now?";
inline constexpr char kSetupStartQuestion[] = "Would you like to start Kiosk mode now?";

// Install_Exit: the answers to its questions in order (true: Yes), whether
// the engine is in the installation folder, and the engine's command line
// when it is started (none: nothing started).
struct InstallExitCase {
  std::string what;
  std::vector<bool> answers;
  bool enginePlaced;
  std::optional<std::string> engineCommandLine;
};

inline std::vector<InstallExitCase> InstallExitCases() {
  return {
      {"yes to reset: started with r, nothing more asked", {true}, true, "r"},
      {"no, then yes to start: started without argument", {false, true}, true, ""},
      {"no and no: nothing started", {false, false}, true, std::nullopt},
      {"missing engine: not reported", {true}, false, std::nullopt},
  };
}

}  // namespace device_test
