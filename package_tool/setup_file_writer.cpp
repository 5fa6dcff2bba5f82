#include "package_tool/setup_file_writer.h"

#include <array>
#include <cctype>
#include <map>
#include <stdexcept>
#include <utility>

#include "package_tool/byte_writer.h"
#include "package_tool/cabinet_layout.h"
#include "package_tool/device_path.h"
#include "package_tool/inf_file.h"
#include "package_tool/package_error.h"

namespace package_tool {
namespace {

namespace format = platform::ce_setup_file;

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// A list of string ids ended by 0, as folders, registry keys and shortcuts
// name their parts.
using PartIds = std::vector<size_t>;

struct Hive {
  RegistryRoot root;
  PartIds partIds;
};

struct Link {
  unsigned base;
  size_t target;
  format::LinkType type;
  PartIds partIds;
};

class SetupFileBuilder {
 public:
  explicit SetupFileBuilder(const InstallModel& model) : model_(model) {}

  std::vector<uint8_t> Build() {
    for (const InstalledFile& file : model_.files) fileDirs_.push_back(DirectoryId(file.directory));
    for (const RegistryValue& value : model_.registry) valueHives_.push_back(HiveId(value.root, value.keyPath));
    for (const Shortcut& shortcut : model_.shortcuts) links_.push_back(MakeLink(shortcut));
    return Serialize();
  }

 private:
  size_t StringId(const std::string& text) {
    auto [entry, added] = stringIds_.emplace(text, strings_.size() + 1);
    if (added) strings_.push_back(text);
    return entry->second;
  }

  PartIds PartIdsOf(const std::vector<std::string>& parts) {
    PartIds partIds;
    for (const std::string& part : parts) partIds.push_back(StringId(part));
    return partIds;
  }

  size_t DirectoryId(const std::string& path) {
    auto [entry, added] = dirIds_.emplace(Lower(path), dirs_.size() + 1);
    if (added) dirs_.push_back(PartIdsOf(SplitDevicePath(path)));
    return entry->second;
  }

  size_t HiveId(RegistryRoot root, const std::string& keyPath) {
    auto [entry, added] = hiveIds_.emplace(std::make_pair(root, Lower(keyPath)), hives_.size() + 1);
    if (added) hives_.push_back(Hive{root, PartIdsOf(SplitDevicePath(keyPath))});
    return entry->second;
  }

  size_t FileNumberOf(const std::string& name) const {
    for (size_t i = 0; i < model_.files.size(); ++i) {
      if (EqualsIgnoringCase(model_.files[i].name, name)) return FileNumber(i);
    }
    throw std::invalid_argument("shortcut to a file that is not installed: " + name);
  }

  Link MakeLink(const Shortcut& shortcut) {
    std::optional<ShortcutFolder> folder = LocateShortcutFolder(shortcut.directory, model_.installDir);
    if (!folder) throw std::invalid_argument("shortcut folder cannot be named: " + shortcut.directory);
    folder->rest.push_back(shortcut.name);
    Link link{folder->base, 0, format::LinkType::File, PartIdsOf(folder->rest)};
    if (shortcut.targetsFile) {
      link.target = FileNumberOf(shortcut.target);
    } else {
      link.type = format::LinkType::Folder;
      link.target = DirectoryId(shortcut.target);
    }
    return link;
  }

  static void WritePartIds(ByteWriter& out, const PartIds& partIds) {
    out.U16(2 * (partIds.size() + 1));
    for (size_t id : partIds) out.U16(id);
    out.U16(0);
  }

  // Where the application name, the provider and the unsupported list stand.
  struct TextSpan {
    size_t at = 0;
    size_t length = 0;
  };
  using TextSpans = std::array<TextSpan, format::HeaderTextCount>;
  using SectionNumbers = std::array<size_t, format::SectionCount>;
  using SectionWriter = void (SetupFileBuilder::*)(ByteWriter&) const;

  std::vector<uint8_t> Serialize() const {
    static constexpr std::array<SectionWriter, format::SectionCount> kSectionWriters = {
        &SetupFileBuilder::WriteStrings, &SetupFileBuilder::WriteDirs,   &SetupFileBuilder::WriteFiles,
        &SetupFileBuilder::WriteHives,   &SetupFileBuilder::WriteValues, &SetupFileBuilder::WriteLinks};
    ByteWriter out;
    out.Bytes(std::vector<uint8_t>(format::kHeaderSize, 0));
    TextSpans texts = WriteHeaderTexts(out);
    SectionNumbers offsets{};
    for (size_t section = 0; section < format::SectionCount; ++section) {
      offsets[section] = out.Size();
      (this->*kSectionWriters[section])(out);
    }
    WriteHeader(out, texts, offsets);
    return out.Take();
  }

  TextSpans WriteHeaderTexts(ByteWriter& out) const {
    TextSpans texts;
    auto write = [&out](TextSpan& span, auto&& writeText) {
      span.at = out.Size();
      writeText();
      span.length = out.Size() - span.at;
    };
    write(texts[format::AppName], [&] { out.ZeroTerminated(model_.appName); });
    write(texts[format::Provider], [&] { out.ZeroTerminated(model_.provider); });
    write(texts[format::Unsupported], [&] {
      const std::vector<std::string>& platforms = model_.device.unsupportedPlatforms;
      for (const std::string& platform : platforms) out.ZeroTerminated(platform);
      if (!platforms.empty()) out.U16(0);
    });
    return texts;
  }

  void WriteStrings(ByteWriter& out) const {
    for (size_t i = 0; i < strings_.size(); ++i) {
      out.U16(i + 1);
      out.U16(strings_[i].size() + 1);
      out.ZeroTerminated(strings_[i]);
    }
  }

  void WriteDirs(ByteWriter& out) const {
    for (size_t i = 0; i < dirs_.size(); ++i) {
      out.U16(i + 1);
      WritePartIds(out, dirs_[i]);
    }
  }

  void WriteFiles(ByteWriter& out) const {
    for (size_t i = 0; i < model_.files.size(); ++i) {
      out.U16(FileNumber(i));
      out.U16(fileDirs_[i]);
      out.U16(FileNumber(i));
      out.U32(model_.files[i].flags);
      out.U16(model_.files[i].name.size() + 1);
      out.ZeroTerminated(model_.files[i].name);
    }
  }

  void WriteHives(ByteWriter& out) const {
    for (size_t i = 0; i < hives_.size(); ++i) {
      out.U16(i + 1);
      out.U16(static_cast<size_t>(hives_[i].root));
      out.U16(0);
      WritePartIds(out, hives_[i].partIds);
    }
  }

  void WriteValues(ByteWriter& out) const {
    for (size_t i = 0; i < model_.registry.size(); ++i) {
      const RegistryValue& value = model_.registry[i];
      out.U16(i + 1);
      out.U16(valueHives_[i]);
      out.U16(value.expandOnDevice ? 1 : 0);
      out.U32(value.flags);
      out.U16(value.name.size() + 1 + value.data.size());
      out.ZeroTerminated(value.name);
      out.Bytes(value.data);
    }
  }

  void WriteLinks(ByteWriter& out) const {
    for (size_t i = 0; i < links_.size(); ++i) {
      out.U16(i + 1);
      out.U16(0);
      out.U16(links_[i].base);
      out.U16(links_[i].target);
      out.U16(static_cast<size_t>(links_[i].type));
      WritePartIds(out, links_[i].partIds);
    }
  }

  // The header's fields, once the sections are written and the length is known.
  void WriteHeader(ByteWriter& out, const TextSpans& texts, const SectionNumbers& offsets) const {
    out.PatchU32(0, format::kSignature);
    out.PatchU32(format::kLengthAt, out.Size());
    out.PatchU32(format::kFormatOneAt, 1);
    const DeviceRequirements& device = model_.device;
    size_t at = format::kRequirementsAt;
    for (uint32_t value : {device.processorType, device.versionMinMajor, device.versionMinMinor,
                           device.versionMaxMajor, device.versionMaxMinor, device.buildMin, device.buildMax}) {
      out.PatchU32(at, value);
      at += 4;
    }
    const SectionNumbers counts = {strings_.size(), dirs_.size(),           model_.files.size(),
                                   hives_.size(),   model_.registry.size(), links_.size()};
    for (size_t section = 0; section < format::SectionCount; ++section) {
      out.PatchU16(format::kCountsAt + 2 * section, counts[section]);
      out.PatchU32(format::kOffsetsAt + 4 * section, offsets[section]);
    }
    for (size_t text = 0; text < format::HeaderTextCount; ++text) {
      out.PatchU16(format::kTextsAt + 4 * text, texts[text].at);
      out.PatchU16(format::kTextsAt + 4 * text + 2, texts[text].length);
    }
  }

  const InstallModel& model_;
  std::vector<std::string> strings_;
  std::map<std::string, size_t> stringIds_;
  std::vector<PartIds> dirs_;
  std::map<std::string, size_t> dirIds_;
  std::vector<Hive> hives_;
  std::map<std::pair<RegistryRoot, std::string>, size_t> hiveIds_;
  std::vector<size_t> fileDirs_;
  std::vector<size_t> valueHives_;
  std::vector<Link> links_;
};

}  // namespace

std::vector<uint8_t> WriteSetupFile(const InstallModel& model, const std::string& infName) {
  try {
    return SetupFileBuilder(model).Build();
  } catch (const std::logic_error& error) {
    throw PackageError(infName, 0, std::string("cannot write the setup file: ") + error.what());
  }
}

}  // namespace package_tool
