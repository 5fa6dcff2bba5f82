#include "tests/ce_image_tool/elf_builder.h"

#include "ce_image_tool/elf_file.h"
#include "package_tool/byte_writer.h"

namespace ce_image_tool_test {

namespace {

using namespace ce_image_tool;

struct Header {
  uint32_t name, type, flags, address, offset, size, link, info, entrySize;
};

// A string table and the offsets of its names.
uint32_t AddName(std::vector<uint8_t>& table, const std::string& name) {
  if (table.empty()) table.push_back(0);
  const auto at = static_cast<uint32_t>(table.size());
  table.insert(table.end(), name.begin(), name.end());
  table.push_back(0);
  return at;
}

}  // namespace

std::vector<uint8_t> BuildElf(const TestElf& elf) {
  std::vector<uint8_t> sectionNames, symbolNames;
  std::vector<Header> headers{{}};
  std::vector<std::vector<uint8_t>> contents{{}};
  for (const TestSection& s : elf.sections) {
    headers.push_back({AddName(sectionNames, s.name), s.type, s.flags, s.address, 0,
                       static_cast<uint32_t>(s.bytes.size()), 0, 0, 0});
    contents.push_back(s.type == kNoBits ? std::vector<uint8_t>{} : s.bytes);
  }
  const auto symbolTable = static_cast<uint32_t>(headers.size());
  package_tool::ByteWriter symbols;
  symbols.Align(kElfSymbolSize);
  symbols.Bytes(std::vector<uint8_t>(kElfSymbolSize, 0));
  for (const TestSymbol& s : elf.symbols) {
    symbols.U32(AddName(symbolNames, s.name));
    symbols.U32(s.value);
    symbols.U32(0);
    symbols.Bytes({0x10, 0});  // global, no type
    symbols.U16(s.section);
  }
  headers.push_back({AddName(sectionNames, ".symtab"), elf.symbolTable ? kSymbolTable : kProgramBits, 0, 0, 0, 0, symbolTable + 1, 1, kElfSymbolSize});
  contents.push_back(symbols.Take());
  headers.push_back({AddName(sectionNames, ".strtab"), kStringTable, 0, 0, 0, 0, 0, 0, 0});
  contents.push_back(symbolNames.empty() ? std::vector<uint8_t>{0} : symbolNames);
  for (uint16_t patched = 1; patched <= elf.sections.size(); ++patched) {
    package_tool::ByteWriter entries;
    for (const TestRelocation& r : elf.relocations) {
      if (r.section != patched) continue;
      entries.U32(r.place);
      entries.U32(r.symbol << 8 | r.type);
    }
    if (entries.Size() == 0) continue;
    headers.push_back({AddName(sectionNames, ".rel" + elf.sections[patched - 1].name), kRelocations, 0, 0, 0, 0,
                       symbolTable, patched, kElfRelocationSize});
    contents.push_back(entries.Take());
  }
  const auto namesIndex = static_cast<uint16_t>(headers.size());
  headers.push_back({AddName(sectionNames, ".shstrtab"), kStringTable, 0, 0, 0, 0, 0, 0, 0});
  contents.push_back(sectionNames);

  package_tool::ByteWriter out;
  out.Bytes({0x7F, 'E', 'L', 'F', elf.elfClass, elf.byteOrder, 1});
  out.Align(16);
  out.U16(elf.kind);
  out.U16(elf.machine);
  out.U32(1);
  out.U32(elf.entry);
  out.U32(0);  // program headers: the tool does not read them
  const size_t sectionTableAt = out.Size();
  out.U32(0);
  out.U32(0);
  out.U16(kElfHeaderSize);
  out.U16(0);
  out.U16(0);
  out.U16(kElfSectionHeaderSize);
  out.U16(headers.size());
  out.U16(namesIndex);
  for (size_t i = 1; i < headers.size(); ++i) {
    out.Align(4);
    headers[i].offset = static_cast<uint32_t>(out.Size());
    if (headers[i].type != kNoBits) headers[i].size = static_cast<uint32_t>(contents[i].size());
    out.Bytes(contents[i]);
  }
  out.Align(4);
  out.PatchU32(sectionTableAt, out.Size());
  for (const Header& h : headers) {
    for (uint32_t field : {h.name, h.type, h.flags, h.address, h.offset, h.size, h.link, h.info, 4u, h.entrySize})
      out.U32(field);
  }
  return out.Take();
}

}  // namespace ce_image_tool_test
