#include "ce_image_tool/link_tables.h"

#include <algorithm>

#include "package_tool/byte_writer.h"
#include "platform/ce_image.h"

namespace ce_image_tool {

namespace pe = platform::ce_image;
using package_tool::ByteWriter;

namespace {

void WriteImports(ByteWriter& out, uint32_t at, const std::vector<uint16_t>& ordinals, uint32_t iatRva,
                  DataDirectory& directory) {
  // One descriptor and the zero one that ends the list, then the lookup
  // table: the CE loader walks it, not the import address table.
  const uint32_t lookupAt = at + 2 * pe::kImportDescriptorSize;
  const uint32_t nameAt = lookupAt + 4 * static_cast<uint32_t>(ordinals.size() + 1);
  directory = {at, 2 * pe::kImportDescriptorSize};
  out.U32(lookupAt);
  out.U32(0);  // time stamp
  out.U32(0);  // forwarder chain
  out.U32(nameAt);
  out.U32(iatRva);
  for (uint32_t i = 0; i < pe::kImportDescriptorSize; ++i) out.Bytes({0});
  for (uint16_t ordinal : ordinals) out.U32(pe::kImportByOrdinal | ordinal);
  out.U32(0);
  out.ZeroTerminated(pe::kCoreLibraryName);
  out.Align(4);
}

void WriteExports(ByteWriter& out, uint32_t at, const std::string& libraryName, std::vector<Export> exports,
                  DataDirectory& directory) {
  const auto count = static_cast<uint32_t>(exports.size());
  const uint32_t addressesAt = at + pe::kExportDirectorySize, namePointersAt = addressesAt + 4 * count;
  const uint32_t indexesAt = namePointersAt + 4 * count, libraryNameAt = indexesAt + ((2 * count + 3) & ~3u);
  const size_t start = out.Size();
  out.U32(0);  // flags
  out.U32(0);  // time stamp
  out.U32(0);  // version
  out.U32(libraryNameAt);
  out.U32(1);  // ordinal base
  out.U32(count);
  out.U32(count);
  out.U32(addressesAt);
  out.U32(namePointersAt);
  out.U32(indexesAt);
  for (const Export& e : exports) out.U32(e.rva);
  // The loader looks names up by binary search: pointers in name order.
  std::vector<uint32_t> byName(count);
  for (uint32_t i = 0; i < count; ++i) byName[i] = i;
  std::sort(byName.begin(), byName.end(), [&](uint32_t a, uint32_t b) { return exports[a].name < exports[b].name; });
  uint32_t nameAt = libraryNameAt + static_cast<uint32_t>(libraryName.size() + 1);
  for (uint32_t i : byName) {
    out.U32(nameAt);
    nameAt += static_cast<uint32_t>(exports[i].name.size() + 1);
  }
  for (uint32_t i : byName) out.U16(i);
  out.Align(4);
  out.ZeroTerminated(libraryName);
  for (uint32_t i : byName) out.ZeroTerminated(exports[i].name);
  directory = {at, static_cast<uint32_t>(out.Size() - start)};
  out.Align(4);
}

}  // namespace

LinkTables BuildLinkTables(uint32_t at, const std::vector<uint16_t>& ordinals, uint32_t iatRva,
                           const std::string& libraryName, std::vector<Export> exports) {
  LinkTables tables;
  ByteWriter out;
  if (!ordinals.empty()) WriteImports(out, at, ordinals, iatRva, tables.imports);
  if (!exports.empty())
    WriteExports(out, at + static_cast<uint32_t>(out.Size()), libraryName, std::move(exports), tables.exports);
  tables.bytes = out.Take();
  return tables;
}

std::vector<uint8_t> BuildBaseRelocations(std::vector<uint32_t> places) {
  std::sort(places.begin(), places.end());
  places.erase(std::unique(places.begin(), places.end()), places.end());
  ByteWriter out;
  for (auto first = places.begin(); first != places.end();) {
    const uint32_t page = *first & ~(pe::kRelocationPage - 1);
    const auto last = std::find_if(first, places.end(), [&](uint32_t p) { return p - page >= pe::kRelocationPage; });
    const size_t blockAt = out.Size();
    out.U32(page);
    out.U32(0);
    for (auto p = first; p != last; ++p) out.U16(pe::kRelocationHighLow << 12 | (*p - page));
    // Blocks start on 32-bit boundaries; the padding entry is skipped.
    if ((last - first) % 2 != 0) out.U16(pe::kRelocationPadding);
    out.PatchU32(blockAt + 4, out.Size() - blockAt);
    first = last;
  }
  return out.Take();
}

}  // namespace ce_image_tool
