#pragma once
// A reader of the Windows CE installer's setup file (the cabinet's .000
// member), written from the public description of the format: a 100-byte
// header ("MSCE", length, device requirements, section counts and offsets,
// the APPNAME / PROVIDER / UNSUPPORTED strings), then STRINGS, DIRS, FILES,
// REGHIVES, REGKEYS and LINKS entries that refer to each other by id. The
// installer stand-in installs from it; the package tool's tests check bcpack's
// output with it. Needs no platform.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace standins::ce_installer {

struct SetupFileView {
  struct File {
    unsigned number;
    std::string directory;
    std::string name;
    uint32_t flags;
  };
  struct Value {
    std::string key;  // "HKLM\Software\Brindlecove"
    std::string name;
    uint32_t flags;
    bool substitute;
    std::vector<uint8_t> data;

    std::string Text() const;                // a string value without its zero byte
    uint32_t Dword() const;                  // a DWORD value
    std::vector<std::string> Texts() const;  // a multi-string value
  };
  struct Link {
    std::string location;  // "%CE11%\Brindlecove"
    bool toFile;
    unsigned target;  // a file number or a folder id
  };

  std::string appName;
  std::string provider;
  std::vector<std::string> unsupported;
  uint32_t architecture = 0;
  uint32_t versionMin[2] = {0, 0};
  uint32_t versionMax[2] = {0, 0};
  uint32_t buildMin = 0, buildMax = 0;
  std::map<unsigned, std::string> directories;
  std::vector<File> files;
  std::vector<Value> values;
  std::vector<Link> links;

  const File* FindFile(const std::string& name) const;
  const Value* FindValue(const std::string& key, const std::string& name) const;
};

// Throws std::runtime_error for anything outside the format.
SetupFileView ReadSetupFile(const std::vector<uint8_t>& bytes);

// One line per item ("file %CE2%\bcmgr.dll 3", "reg HKLM\Software\X\Name dword 5", ...).
std::string DescribeSetupFile(const SetupFileView& view);

}  // namespace standins::ce_installer
