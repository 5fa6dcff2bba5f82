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

// Texts by their id: strings, folders, registry keys.
using IdTexts = std::map<unsigned, std::string>;

const std::string& Known(const IdTexts& texts, unsigned id, const char* failure) {
  auto found = texts.find(id);
  if (found == texts.end()) throw std::runtime_error(failure);
  return found->second;
}

std::string Joined(const IdTexts& strings, const std::vector<unsigned>& ids) {
  std::string path;
  for (unsigned id : ids) path += (path.empty() ? "" : "\\") + Known(strings, id, "unknown string id");
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

// The section's entries in order; read takes one entry from the cursor.
template <typename Read>
auto ReadEach(SectionReader section, Read read) {
  std::vector<decltype(read(section.entries))> entries;
  for (uint32_t i = 0; i < section.count; ++i) entries.push_back(read(section.entries));
  return entries;
}

// Of two entries with one id, the later one counts.
IdTexts ById(const std::vector<std::pair<unsigned, std::string>>& entries) {
  IdTexts texts;
  for (const auto& [id, text] : entries) texts[id] = text;
  return texts;
}

IdTexts ReadStrings(SectionReader section) {
  return ById(ReadEach(section, [](Cursor& entry) {
    unsigned id = entry.U16();
    return std::pair(id, entry.Text(entry.U16()));
  }));
}

IdTexts ReadDirs(SectionReader section, const IdTexts& strings) {
  return ById(ReadEach(section, [&](Cursor& entry) {
    unsigned id = entry.U16();
    return std::pair(id, Joined(strings, entry.PartIds(entry.U16())));
  }));
}

std::vector<SetupFileView::File> ReadFiles(SectionReader section, const IdTexts& directories) {
  return ReadEach(section, [&](Cursor& entry) {
    SetupFileView::File file;
    file.number = entry.U16();
    unsigned directory = entry.U16();
    entry.U16();
    file.flags = entry.U32();
    file.name = entry.Text(entry.U16());
    file.directory = Known(directories, directory, "file in an unknown folder");
    return file;
  });
}

// Registry keys by hive id, with their root: "HKLM\Software\Brindlecove".
IdTexts ReadHives(SectionReader section, const IdTexts& strings) {
  return ById(ReadEach(section, [&](Cursor& entry) {
    unsigned id = entry.U16();
    unsigned root = entry.U16();
    entry.U16();
    if (root < 1 || root >= format::kRootNames.size()) throw std::runtime_error("unknown registry root");
    return std::pair(id, std::string(format::kRootNames[root]) + "\\" + Joined(strings, entry.PartIds(entry.U16())));
  }));
}

std::vector<SetupFileView::Value> ReadValues(SectionReader section, const IdTexts& hives) {
  return ReadEach(section, [&](Cursor& entry) {
    SetupFileView::Value value;
    entry.U16();
    unsigned hive = entry.U16();
    value.substitute = entry.U16() != 0;
    value.flags = entry.U32();
    std::vector<uint8_t> data = entry.Bytes(entry.U16());
    auto zero = std::find(data.begin(), data.end(), uint8_t{0});
    if (zero == data.end()) throw std::runtime_error("value name without its zero byte");
    value.key = Known(hives, hive, "value in an unknown key");
    value.name.assign(data.begin(), zero);
    value.data.assign(zero + 1, data.end());
    return value;
  });
}

std::vector<SetupFileView::Link> ReadLinks(SectionReader section, const IdTexts& strings) {
  return ReadEach(section, [&](Cursor& entry) {
    SetupFileView::Link link;
    entry.U16();
    entry.U16();
    unsigned base = entry.U16();
    link.target = entry.U16();
    link.toFile = entry.U16() == static_cast<uint16_t>(format::LinkType::File);
    std::string baseName = base == 0 ? "%InstallDir%" : "%CE" + std::to_string(base) + "%";
    link.location = baseName + "\\" + Joined(strings, entry.PartIds(entry.U16()));
    return link;
  });
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
  IdTexts strings = ReadStrings(section(format::Strings));
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
