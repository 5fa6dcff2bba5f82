#include "ce_image_tool/resource_section.h"

#include <map>

#include "ce_image_tool/image_error.h"
#include "package_tool/byte_writer.h"
#include "platform/win32_resources.h"

namespace ce_image_tool {

namespace res = platform::win32_resources;
using package_tool::ByteWriter;

namespace {

// One directory entry; target is the index of its subdirectory, or of its
// resource at the last level.
struct Entry {
  ResourceKey key;
  size_t target = 0;
};

uint32_t AlignData(uint32_t offset) { return (offset + res::kDataAlignment - 1) / res::kDataAlignment * res::kDataAlignment; }

void PadTo(ByteWriter& out, size_t offset) { out.Bytes(std::vector<uint8_t>(offset - out.Size())); }

}  // namespace

ResourceSection BuildResourceSection(uint32_t at, const std::vector<Resource>& resources) {
  // The tree in directory order (ResourceKey's): type, name, language.
  std::map<ResourceKey, std::map<ResourceKey, std::map<uint16_t, const Resource*>>> types;
  for (const Resource& resource : resources) {
    const Resource*& slot = types[resource.type][resource.name][resource.language];
    if (slot != nullptr) throw ImageError("a resource is listed twice");
    slot = &resource;
  }

  // The directories level by level: the root, the types', then the names'.
  std::vector<std::vector<Entry>> directories(1 + types.size());
  std::vector<const Resource*> leaves;
  size_t typeDirectory = 1;
  for (const auto& [type, names] : types) {
    directories[0].push_back({type, typeDirectory});
    for (const auto& [name, languages] : names) {
      directories[typeDirectory].push_back({name, directories.size()});
      std::vector<Entry>& languageDirectory = directories.emplace_back();
      for (const auto& [language, resource] : languages) {
        languageDirectory.push_back({{language, {}}, leaves.size()});
        leaves.push_back(resource);
      }
    }
    ++typeDirectory;
  }

  // Then the data entries, the names and the data.
  std::vector<uint32_t> directoryAt;
  uint32_t next = 0;
  for (const std::vector<Entry>& directory : directories) {
    directoryAt.push_back(next);
    next += res::kDirectorySize + res::kEntrySize * static_cast<uint32_t>(directory.size());
  }
  const uint32_t dataEntriesAt = next;
  next += res::kDataEntrySize * static_cast<uint32_t>(leaves.size());
  std::map<std::u16string, uint32_t> nameAt;
  for (const auto& [type, names] : types) {
    nameAt[type.name];
    for (const auto& [name, languages] : names) nameAt[name.name];
  }
  nameAt.erase(u"");
  for (auto& [name, offset] : nameAt) {
    offset = next;
    next += 2 + 2 * static_cast<uint32_t>(name.size());
  }

  ByteWriter out;
  for (size_t d = 0; d < directories.size(); ++d) {
    const bool last = d > types.size();
    size_t named = 0;
    for (const Entry& entry : directories[d]) named += entry.key.name.empty() ? 0 : 1;
    PadTo(out, directoryAt[d] + res::kNamedCountAt);  // characteristics, time stamp and version: 0
    out.U16(named);
    out.U16(directories[d].size() - named);
    for (const Entry& entry : directories[d]) {
      out.U32(entry.key.name.empty() ? entry.key.id : res::kNameIsString | nameAt.at(entry.key.name));
      out.U32(last ? dataEntriesAt + res::kDataEntrySize * static_cast<uint32_t>(entry.target)
                   : res::kOffsetIsDirectory | directoryAt[entry.target]);
    }
  }
  for (const Resource* leaf : leaves) {
    out.U32(0);  // the data's RVA, patched below
    out.U32(leaf->data.size());
    out.U32(0);  // code page
    out.U32(0);
  }
  for (const auto& [name, offset] : nameAt) {
    out.U16(name.size());
    for (char16_t unit : name) out.U16(unit);
  }
  for (size_t i = 0; i < leaves.size(); ++i) {
    PadTo(out, AlignData(static_cast<uint32_t>(out.Size())));
    out.PatchU32(dataEntriesAt + res::kDataEntrySize * i, at + out.Size());
    out.Bytes(leaves[i]->data);
  }
  const auto size = static_cast<uint32_t>(out.Size());
  return {out.Take(), {at, size}};
}

}  // namespace ce_image_tool
