#include "standins/ce_installer/setup_reader/setup_file_reader.h"

#include <algorithm>
#include <array>
#include <sstream>
#include <stdexcept>

#include "platform/ce_setup_file.h"

namespace standins::ce_installer {
namespace {

namespace format = platform::ce_setup_file;

std::string ZeroTerminated(const std::vector<uint8_t>& raw) {
  if (raw.empty() || raw.back() != 0) throw std::runtime_error("string without its zero byte");
  return std::string(raw.begin(), raw.end() - 1);
}

class Cursor {
 public:
  Cursor(const std::vector<uint8_t>& bytes, size_t at) : bytes_(bytes), at_(at) {}
  uint32_t U16() {
    Need(2);
    uint32_t value = bytes_[at_] | bytes_[at_ + 1] << 8;
    at_ += 2;
    return value;
  }
  uint32_t U32() {
    Need(4);
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | bytes_[at_ + i];
    at_ += 4;
    return value;
  }
  std::vector<uint8_t> Bytes(size_t count) {
    Need(count);
    std::vector<uint8_t> out(bytes_.begin() + at_, bytes_.begin() + at_ + count);
    at_ += count;
    return out;
  }
  // A string field of the given length whose last byte is its zero.
  std::string Text(size_t length) { return ZeroTerminated(Bytes(length)); }
  std::vector<unsigned> PartIds(size_t length) {
    if (length % 2 != 0 || length == 0) throw std::runtime_error("odd string id list length");
    std::vector<unsigned> ids;
    for (size_t i = 0; i < length / 2; ++i) ids.push_back(U16());
    if (ids.back() != 0) throw std::runtime_error("string id list not ended by 0");
    ids.pop_back();
    return ids;
  }

 private:
  void Need(size_t count) const {
    if (at_ + count > bytes_.size()) throw std::runtime_error("read past the end");
  }
  const std::vector<uint8_t>& bytes_;
  size_t at_;
};

std::string Joined(const std::map<unsigned, std::string>& strings, const std::vector<unsigned>& ids) {
  std::string path;
  for (unsigned id : ids) {
    auto found = strings.find(id);
    if (found == strings.end()) throw std::runtime_error("unknown string id");
    path += (path.empty() ? "" : "\\") + found->second;
  }
  return path;
}

std::vector<std::string> MultiString(const std::vector<uint8_t>& bytes) {
  std::vector<std::string> texts;
  std::string current;
  for (uint8_t byte : bytes) {
    if (byte != 0) {
      current += static_cast<char>(byte);
    } else if (current.empty()) {
      break;
    } else {
      texts.push_back(current);
      current.clear();
    }
  }
  return texts;
}

// The section counts and offsets; the requirements and texts go straight into the view.
struct Header {
  std::array<uint32_t, format::SectionCount> counts{};
  std::array<uint32_t, format::SectionCount> offsets{};
};

Header ReadHeader(const std::vector<uint8_t>& bytes, SetupFileView& view) {
  Cursor fields(bytes, 0);
  if (fields.U32() != format::kSignature) throw std::runtime_error("no MSCE signature");
  if (Cursor(bytes, format::kLengthAt).U32() != bytes.size()) {
    throw std::runtime_error("length field differs from the file");
  }
  Cursor requirements(bytes, format::kRequirementsAt);
  for (uint32_t* field : {&view.architecture, &view.versionMin[0], &view.versionMin[1], &view.versionMax[0],
                          &view.versionMax[1], &view.buildMin, &view.buildMax}) {
    *field = requirements.U32();
  }
  Header header;
  Cursor counts(bytes, format::kCountsAt);
  for (uint32_t& count : header.counts) count = counts.U16();
  Cursor offsets(bytes, format::kOffsetsAt);
  for (uint32_t& offset : header.offsets) offset = offsets.U32();
  Cursor texts(bytes, format::kTextsAt);
  std::array<std::vector<uint8_t>, format::HeaderTextCount> text;
  for (std::vector<uint8_t>& field : text) {
    uint32_t at = texts.U16();
    uint32_t length = texts.U16();
    field = Cursor(bytes, at).Bytes(length);
  }
  view.appName = ZeroTerminated(text[format::AppName]);
  view.provider = ZeroTerminated(text[format::Provider]);
  view.unsupported = MultiString(text[format::Unsupported]);
  return header;
}

// One section's entries: a cursor at the first and how many there are.
struct SectionReader {
  Cursor entries;
  uint32_t count;
};

std::map<unsigned, std::string> ReadStrings(SectionReader section) {
  std::map<unsigned, std::string> strings;
  for (uint32_t i = 0; i < section.count; ++i) {
    unsigned id = section.entries.U16();
    strings[id] = section.entries.Text(section.entries.U16());
  }
  return strings;
}

std::map<unsigned, std::string> ReadDirs(SectionReader section, const std::map<unsigned, std::string>& strings) {
  std::map<unsigned, std::string> directories;
  for (uint32_t i = 0; i < section.count; ++i) {
    unsigned id = section.entries.U16();
    directories[id] = Joined(strings, section.entries.PartIds(section.entries.U16()));
  }
  return directories;
}

std::vector<SetupFileView::File> ReadFiles(SectionReader section, const std::map<unsigned, std::string>& directories) {
  std::vector<SetupFileView::File> files;
  for (uint32_t i = 0; i < section.count; ++i) {
    SetupFileView::File file;
    file.number = section.entries.U16();
    auto directory = directories.find(section.entries.U16());
    section.entries.U16();
    file.flags = section.entries.U32();
    file.name = section.entries.Text(section.entries.U16());
    if (directory == directories.end()) throw std::runtime_error("file in an unknown folder");
    file.directory = directory->second;
    files.push_back(file);
  }
  return files;
}

// Registry keys by hive id, with their root: "HKLM\Software\Brindlecove".
std::map<unsigned, std::string> ReadHives(SectionReader section, const std::map<unsigned, std::string>& strings) {
  std::map<unsigned, std::string> hives;
  for (uint32_t i = 0; i < section.count; ++i) {
    unsigned id = section.entries.U16();
    unsigned root = section.entries.U16();
    section.entries.U16();
    if (root < 1 || root >= format::kRootNames.size()) throw std::runtime_error("unknown registry root");
    hives[id] =
        std::string(format::kRootNames[root]) + "\\" + Joined(strings, section.entries.PartIds(section.entries.U16()));
  }
  return hives;
}

std::vector<SetupFileView::Value> ReadValues(SectionReader section, const std::map<unsigned, std::string>& hives) {
  std::vector<SetupFileView::Value> values;
  for (uint32_t i = 0; i < section.count; ++i) {
    SetupFileView::Value value;
    section.entries.U16();
    auto hive = hives.find(section.entries.U16());
    value.substitute = section.entries.U16() != 0;
    value.flags = section.entries.U32();
    std::vector<uint8_t> data = section.entries.Bytes(section.entries.U16());
    auto zero = std::find(data.begin(), data.end(), uint8_t{0});
    if (zero == data.end()) throw std::runtime_error("value name without its zero byte");
    if (hive == hives.end()) throw std::runtime_error("value in an unknown key");
    value.key = hive->second;
    value.name.assign(data.begin(), zero);
    value.data.assign(zero + 1, data.end());
    values.push_back(value);
  }
  return values;
}

std::vector<SetupFileView::Link> ReadLinks(SectionReader section, const std::map<unsigned, std::string>& strings) {
  std::vector<SetupFileView::Link> links;
  for (uint32_t i = 0; i < section.count; ++i) {
    SetupFileView::Link link;
    section.entries.U16();
    section.entries.U16();
    unsigned base = section.entries.U16();
    link.target = section.entries.U16();
    link.toFile = section.entries.U16() == static_cast<uint16_t>(format::LinkType::File);
    std::string baseName = base == 0 ? "%InstallDir%" : "%CE" + std::to_string(base) + "%";
    link.location = baseName + "\\" + Joined(strings, section.entries.PartIds(section.entries.U16()));
    links.push_back(link);
  }
  return links;
}

}  // namespace

std::string SetupFileView::Value::Text() const { return MultiString(data).empty() ? "" : MultiString(data)[0]; }

uint32_t SetupFileView::Value::Dword() const {
  if (data.size() != 4) throw std::runtime_error("not a DWORD");
  return data[0] | data[1] << 8 | data[2] << 16 | static_cast<uint32_t>(data[3]) << 24;
}

std::vector<std::string> SetupFileView::Value::Texts() const { return MultiString(data); }

const SetupFileView::File* SetupFileView::FindFile(const std::string& name) const {
  for (const File& file : files) {
    if (file.name == name) return &file;
  }
  return nullptr;
}

const SetupFileView::Value* SetupFileView::FindValue(const std::string& key, const std::string& name) const {
  for (const Value& value : values) {
    if (value.key == key && value.name == name) return &value;
  }
  return nullptr;
}

SetupFileView ReadSetupFile(const std::vector<uint8_t>& bytes) {
  SetupFileView view;
  Header header = ReadHeader(bytes, view);
  auto section = [&](format::Section which) {
    return SectionReader{Cursor(bytes, header.offsets[which]), header.counts[which]};
  };
  std::map<unsigned, std::string> strings = ReadStrings(section(format::Strings));
  view.directories = ReadDirs(section(format::Dirs), strings);
  view.files = ReadFiles(section(format::Files), view.directories);
  view.values = ReadValues(section(format::RegKeys), ReadHives(section(format::RegHives), strings));
  view.links = ReadLinks(section(format::Links), strings);
  return view;
}

std::string DescribeSetupFile(const SetupFileView& view) {
  std::ostringstream out;
  out << "app " << view.appName << "\nprovider " << view.provider << "\nprocessor " << view.architecture << "\n";
  for (const auto& file : view.files)
    out << "file " << file.directory << "\\" << file.name << " " << file.number << "\n";
  for (const auto& value : view.values) {
    out << "reg " << value.key << "\\" << value.name << " ";
    switch (value.flags & format::kRegTypeMask) {
      case format::kRegTypeDword:
        out << "dword " << value.Dword();
        break;
      case format::kRegTypeString:
        out << "sz " << value.Text();
        break;
      case format::kRegTypeMultiString:
        out << "multi_sz " << value.Texts().size();
        break;
      default:
        out << "binary " << value.data.size();
    }
    out << "\n";
  }
  for (const auto& link : view.links) {
    out << "link " << link.location << " " << (link.toFile ? "file " : "folder ") << link.target << "\n";
  }
  return out.str();
}

}  // namespace standins::ce_installer
