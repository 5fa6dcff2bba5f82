#include "package_tool/registry_entry.h"

#include <array>
#include <cstdio>

#include "package_tool/number_text.h"

namespace package_tool {
namespace {

constexpr size_t kFirstDataField = 4;
constexpr uint32_t kKnownFlags = kRegTypeMask | kRegNoClobber;

struct RootName {
  const char* shortName;
  const char* longName;
  RegistryRoot root;
};

constexpr std::array<RootName, 4> kRoots{{
    {"HKCR", "HKEY_CLASSES_ROOT", RegistryRoot::ClassesRoot},
    {"HKCU", "HKEY_CURRENT_USER", RegistryRoot::CurrentUser},
    {"HKLM", "HKEY_LOCAL_MACHINE", RegistryRoot::LocalMachine},
    {"HKU", "HKEY_USERS", RegistryRoot::Users},
}};

void AppendString(std::vector<uint8_t>& data, const std::string& text) {
  data.insert(data.end(), text.begin(), text.end());
  data.push_back(0);
}

class LineReader {
 public:
  LineReader(const InfFile& inf, const InfLine& line, const MacroExpander& macros)
      : inf_(inf), line_(line), macros_(macros) {}

  PackageError Bad(const std::string& what) const {
    return inf_.Error(line_.number, "bad registry line: " + what);
  }
  std::string Text(size_t index) const { return macros_.Expand(line_.Field(index), line_.number); }
  // A value made only of raw texts is kept from the device's folder expansion.
  bool DataIsRaw() const {
    for (size_t i = 0; i < DataFieldCount(); ++i) {
      if (!macros_.IsRawReference(line_.Field(kFirstDataField + i))) return false;
    }
    return DataFieldCount() > 0;
  }
  size_t DataFieldCount() const {
    return line_.fields.size() > kFirstDataField ? line_.fields.size() - kFirstDataField : 0;
  }

  RegistryRoot Root() const {
    std::string text = Text(0);
    for (const RootName& known : kRoots) {
      if (EqualsIgnoringCase(text, known.shortName) || EqualsIgnoringCase(text, known.longName)) {
        return known.root;
      }
    }
    throw Bad("unknown root \"" + text + "\"");
  }

  uint32_t Flags() const {
    std::optional<uint32_t> flags = ParseUnsigned32(Text(3));
    if (!flags) throw Bad("flags \"" + Text(3) + "\" are not a number");
    if ((*flags & ~kKnownFlags) != 0) {
      char hex[16];
      std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(*flags));
      throw Bad(std::string("unknown flags ") + hex);
    }
    return *flags;
  }

  std::vector<uint8_t> Data(uint32_t type) const {
    std::vector<uint8_t> data;
    size_t count = DataFieldCount();
    switch (type) {
      case kRegTypeString:
        if (count > 1) throw Bad("a string value takes one data field");
        AppendString(data, Text(kFirstDataField));
        break;
      case kRegTypeMultiString:
        for (size_t i = 0; i < count; ++i) AppendString(data, Text(kFirstDataField + i));
        data.push_back(0);
        break;
      case kRegTypeDword: {
        if (count != 1) throw Bad("a DWORD value takes one data field");
        std::optional<uint32_t> value = ParseUnsigned32(Text(kFirstDataField));
        if (!value) throw Bad("\"" + Text(kFirstDataField) + "\" is not a DWORD number");
        for (int shift = 0; shift < 32; shift += 8) data.push_back(static_cast<uint8_t>(*value >> shift));
        break;
      }
      default:  // binary: one byte per field, in hexadecimal
        for (size_t i = 0; i < count; ++i) {
          std::string text = Text(kFirstDataField + i);
          std::optional<uint32_t> byte = text.size() <= 2 ? ParseUnsigned32("0x" + text) : std::nullopt;
          if (!byte) throw Bad("\"" + text + "\" is not a hexadecimal byte");
          data.push_back(static_cast<uint8_t>(*byte));
        }
    }
    return data;
  }

 private:
  const InfFile& inf_;
  const InfLine& line_;
  const MacroExpander& macros_;
};

bool NamesDeviceFolder(const std::vector<uint8_t>& data) {
  std::string text(data.begin(), data.end());
  for (size_t at = text.find('%'); at != std::string::npos; at = text.find('%', at + 1)) {
    size_t end = text.find('%', at + 1);
    if (end != std::string::npos && IsDeviceFolderMacro(text.substr(at + 1, end - at - 1))) return true;
  }
  return false;
}

}  // namespace

RegistryValue ParseRegistryLine(const InfFile& inf, const InfLine& line, const MacroExpander& macros) {
  LineReader reader(inf, line, macros);
  if (!line.key.empty()) throw reader.Bad("unexpected '='");
  if (line.fields.size() < kFirstDataField) throw reader.Bad("expected root, key, name, flags and data");
  RegistryValue value;
  value.root = reader.Root();
  value.keyPath = reader.Text(1);
  if (value.keyPath.empty()) throw reader.Bad("no key");
  value.name = reader.Text(2);
  value.flags = reader.Flags();
  value.data = reader.Data(value.flags & kRegTypeMask);
  value.expandOnDevice = !reader.DataIsRaw() && (value.flags & kRegTypeMask) != kRegTypeDword &&
                           (value.flags & kRegTypeMask) != kRegTypeBinary && NamesDeviceFolder(value.data);
  return value;
}

}  // namespace package_tool
