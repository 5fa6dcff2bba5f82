#include "standins/ce_installer/setup_reader/setup_file_reader.h"

#include <sstream>
#include <stdexcept>

namespace ce_setup {
namespace {

const char* const kRoots[] = {"", "HKCR", "HKCU", "HKLM", "HKU"};

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
  std::string Text(size_t length) {
    std::vector<uint8_t> raw = Bytes(length);
    if (raw.empty() || raw.back() != 0) throw std::runtime_error("string without its zero byte");
    return std::string(raw.begin(), raw.end() - 1);
  }
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

}  // namespace

std::string SetupFileView::Value::Text() const {
  return MultiString(data).empty() ? "" : MultiString(data)[0];
}

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
  Cursor header(bytes, 0);
  if (header.U32() != 0x4543534D) throw std::runtime_error("no MSCE signature");
  header.U32();
  if (header.U32() != bytes.size()) throw std::runtime_error("length field differs from the file");
  header.U32();
  header.U32();
  view.architecture = header.U32();
  for (uint32_t* field : {&view.version_min[0], &view.version_min[1], &view.version_max[0],
                          &view.version_max[1], &view.build_min, &view.build_max}) {
    *field = header.U32();
  }
  uint32_t counts[6];
  uint32_t offsets[6];
  for (uint32_t& count : counts) count = header.U16();
  for (uint32_t& offset : offsets) offset = header.U32();
  uint32_t app_at = header.U16(), app_length = header.U16();
  uint32_t provider_at = header.U16(), provider_length = header.U16();
  uint32_t unsupported_at = header.U16(), unsupported_length = header.U16();
  view.app_name = Cursor(bytes, app_at).Text(app_length);
  view.provider = Cursor(bytes, provider_at).Text(provider_length);
  view.unsupported = MultiString(Cursor(bytes, unsupported_at).Bytes(unsupported_length));

  std::map<unsigned, std::string> strings;
  Cursor string_entries(bytes, offsets[0]);
  for (uint32_t i = 0; i < counts[0]; ++i) {
    unsigned id = string_entries.U16();
    strings[id] = string_entries.Text(string_entries.U16());
  }
  Cursor dir_entries(bytes, offsets[1]);
  for (uint32_t i = 0; i < counts[1]; ++i) {
    unsigned id = dir_entries.U16();
    view.directories[id] = Joined(strings, dir_entries.PartIds(dir_entries.U16()));
  }
  Cursor file_entries(bytes, offsets[2]);
  for (uint32_t i = 0; i < counts[2]; ++i) {
    SetupFileView::File file;
    file.number = file_entries.U16();
    unsigned directory = file_entries.U16();
    file_entries.U16();
    file.flags = file_entries.U32();
    file.name = file_entries.Text(file_entries.U16());
    if (!view.directories.contains(directory)) throw std::runtime_error("file in an unknown folder");
    file.directory = view.directories[directory];
    view.files.push_back(file);
  }
  std::map<unsigned, std::string> hives;
  Cursor hive_entries(bytes, offsets[3]);
  for (uint32_t i = 0; i < counts[3]; ++i) {
    unsigned id = hive_entries.U16();
    unsigned root = hive_entries.U16();
    hive_entries.U16();
    if (root < 1 || root > 4) throw std::runtime_error("unknown registry root");
    hives[id] = std::string(kRoots[root]) + "\\" + Joined(strings, hive_entries.PartIds(hive_entries.U16()));
  }
  Cursor value_entries(bytes, offsets[4]);
  for (uint32_t i = 0; i < counts[4]; ++i) {
    SetupFileView::Value value;
    value_entries.U16();
    unsigned hive = value_entries.U16();
    value.substitute = value_entries.U16() != 0;
    value.flags = value_entries.U32();
    std::vector<uint8_t> data = value_entries.Bytes(value_entries.U16());
    size_t zero = 0;
    while (zero < data.size() && data[zero] != 0) ++zero;
    if (zero == data.size()) throw std::runtime_error("value name without its zero byte");
    if (!hives.contains(hive)) throw std::runtime_error("value in an unknown key");
    value.key = hives[hive];
    value.name.assign(data.begin(), data.begin() + static_cast<long>(zero));
    value.data.assign(data.begin() + static_cast<long>(zero) + 1, data.end());
    view.values.push_back(value);
  }
  Cursor link_entries(bytes, offsets[5]);
  for (uint32_t i = 0; i < counts[5]; ++i) {
    SetupFileView::Link link;
    link_entries.U16();
    link_entries.U16();
    unsigned base = link_entries.U16();
    link.target = link_entries.U16();
    link.to_file = link_entries.U16() == 1;
    std::string base_name = base == 0 ? "%InstallDir%" : "%CE" + std::to_string(base) + "%";
    link.location = base_name + "\\" + Joined(strings, link_entries.PartIds(link_entries.U16()));
    view.links.push_back(link);
  }
  return view;
}

std::string DescribeSetupFile(const SetupFileView& view) {
  std::ostringstream out;
  out << "app " << view.app_name << "\nprovider " << view.provider << "\nprocessor " << view.architecture
      << "\n";
  for (const auto& file : view.files)
    out << "file " << file.directory << "\\" << file.name << " " << file.number << "\n";
  for (const auto& value : view.values) {
    out << "reg " << value.key << "\\" << value.name << " ";
    switch (value.flags & 0x00010001) {
      case 0x00010001:
        out << "dword " << value.Dword();
        break;
      case 0x00000000:
        out << "sz " << value.Text();
        break;
      case 0x00010000:
        out << "multi_sz " << value.Texts().size();
        break;
      default:
        out << "binary " << value.data.size();
    }
    out << "\n";
  }
  for (const auto& link : view.links) {
    out << "link " << link.location << " " << (link.to_file ? "file " : "folder ") << link.target << "\n";
  }
  return out.str();
}

}  // namespace ce_setup
