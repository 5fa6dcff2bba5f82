#include "ce_image_tool/elf_file.h"

#include <algorithm>

#include "ce_image_tool/image_error.h"

namespace ce_image_tool {

namespace {

constexpr uint8_t kElfMagic[] = {0x7F, 'E', 'L', 'F'};
constexpr uint8_t kElfClass32 = 1;
constexpr uint8_t kElfLittleEndian = 1;

// Little-endian reads that throw, rather than read past the end, on a cut file.
class Reader {
 public:
  explicit Reader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}
  uint32_t U32(uint64_t at) const { return static_cast<uint32_t>(Read(at, 4)); }
  uint16_t U16(uint64_t at) const { return static_cast<uint16_t>(Read(at, 2)); }
  uint8_t U8(uint64_t at) const { return static_cast<uint8_t>(Read(at, 1)); }
  std::vector<uint8_t> Slice(uint64_t at, uint64_t size) const {
    Require(at, size);
    return {bytes_.begin() + static_cast<std::ptrdiff_t>(at), bytes_.begin() + static_cast<std::ptrdiff_t>(at + size)};
  }
  void Require(uint64_t at, uint64_t size) const {
    if (at > bytes_.size() || bytes_.size() - at < size) throw ImageError("the ELF file is cut short");
  }
  // A zero-terminated name inside a string table slice.
  static std::string Name(const std::vector<uint8_t>& table, uint32_t at) {
    if (at >= table.size()) throw ImageError("a name lies outside its string table");
    const auto begin = table.begin() + at;
    const auto end = std::find(begin, table.end(), uint8_t{0});
    if (end == table.end()) throw ImageError("a name runs past the end of its string table");
    return {begin, end};
  }

 private:
  uint64_t Read(uint64_t at, unsigned size) const {
    Require(at, size);
    uint64_t value = 0;
    for (unsigned i = 0; i < size; ++i) value |= uint64_t{bytes_[at + i]} << (8 * i);
    return value;
  }
  const std::vector<uint8_t>& bytes_;
};

struct SectionHeader {
  ElfSection section;
  uint32_t nameAt, offset, link, info;
};

void CheckHeader(const Reader& file, size_t fileSize) {
  if (fileSize < kElfHeaderSize || !std::equal(std::begin(kElfMagic), std::end(kElfMagic), file.Slice(0, 4).begin()))
    throw ImageError("not an ELF file");
  if (file.U8(4) != kElfClass32 || file.U8(5) != kElfLittleEndian)
    throw ImageError("not a 32-bit little-endian ELF file");
  if (file.U16(18) != kElfMachineArm) throw ImageError("not built for ARM (ELF machine " + std::to_string(file.U16(18)) + ")");
  if (file.U16(16) != kElfExecutable) throw ImageError("not a linked executable: link it at its final addresses first");
}

std::vector<SectionHeader> ReadSectionHeaders(const Reader& file) {
  const uint32_t tableAt = file.U32(32), count = file.U16(48);
  if (count > 0 && file.U16(46) != kElfSectionHeaderSize) throw ImageError("unexpected ELF section header size");
  // The whole table, though the last fields of a header are not read.
  file.Require(tableAt, uint64_t{count} * kElfSectionHeaderSize);
  std::vector<SectionHeader> headers;
  for (uint32_t i = 0; i < count; ++i) {
    const uint64_t at = tableAt + uint64_t{i} * kElfSectionHeaderSize;
    SectionHeader header{{}, file.U32(at), file.U32(at + 16), file.U32(at + 24), file.U32(at + 28)};
    ElfSection& section = header.section;
    section.type = file.U32(at + 4);
    section.flags = file.U32(at + 8);
    section.address = file.U32(at + 12);
    section.size = file.U32(at + 20);
    if (section.type != kNoBits) section.bytes = file.Slice(header.offset, section.size);
    headers.push_back(std::move(header));
  }
  const uint32_t namesIndex = file.U16(50);
  if (namesIndex >= headers.size()) throw ImageError("the ELF file has no section names");
  for (SectionHeader& header : headers)
    header.section.name = Reader::Name(headers[namesIndex].section.bytes, header.nameAt);
  return headers;
}

// A table of fixed-size entries that ends inside an entry is broken, not one entry short.
void CheckWholeEntries(const ElfSection& table, uint32_t entrySize) {
  if (table.bytes.size() % entrySize != 0)
    throw ImageError("section " + table.name + " is not a whole number of " + std::to_string(entrySize) + "-byte entries");
}

const SectionHeader& Linked(const std::vector<SectionHeader>& headers, uint32_t index) {
  if (index >= headers.size()) throw ImageError("a section links to a section that does not exist");
  return headers[index];
}

std::vector<ElfSymbol> ReadSymbols(const std::vector<SectionHeader>& headers) {
  const auto table = std::find_if(headers.begin(), headers.end(),
                                  [](const SectionHeader& h) { return h.section.type == kSymbolTable; });
  if (table == headers.end()) throw ImageError("the ELF file has no symbol table: do not strip it");
  const std::vector<uint8_t>& names = Linked(headers, table->link).section.bytes;
  CheckWholeEntries(table->section, kElfSymbolSize);
  const Reader symbols(table->section.bytes);
  std::vector<ElfSymbol> result;
  for (uint32_t at = 0; at < table->section.bytes.size(); at += kElfSymbolSize)
    result.push_back({Reader::Name(names, symbols.U32(at)), symbols.U32(at + 4), symbols.U16(at + 14)});
  return result;
}

}  // namespace

ElfFile ReadElfFile(const std::vector<uint8_t>& bytes) {
  const Reader file(bytes);
  CheckHeader(file, bytes.size());
  const std::vector<SectionHeader> headers = ReadSectionHeaders(file);
  ElfFile elf{file.U32(24), {}, ReadSymbols(headers), {}};
  for (const SectionHeader& header : headers) {
    elf.sections.push_back(header.section);
    if (header.section.type == kRelocationsWithAddends) throw ImageError("relocations with addends (RELA) are not supported");
    // Only relocations of what is loaded matter; debugging data has its own.
    if (header.section.type != kRelocations || !(Linked(headers, header.info).section.flags & kAllocated)) continue;
    CheckWholeEntries(header.section, kElfRelocationSize);
    const Reader entries(header.section.bytes);
    for (uint32_t at = 0; at < header.section.bytes.size(); at += kElfRelocationSize) {
      const uint32_t info = entries.U32(at + 4);
      if ((info >> 8) >= elf.symbols.size()) throw ImageError("a relocation names a symbol that does not exist");
      elf.relocations.push_back({entries.U32(at), info & 0xFF, info >> 8});
    }
  }
  return elf;
}

}  // namespace ce_image_tool
