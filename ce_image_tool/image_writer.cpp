#include "ce_image_tool/image_writer.h"

#include <algorithm>
#include <sstream>

#include "ce_image_tool/image_error.h"
#include "ce_image_tool/import_thunks.h"
#include "ce_image_tool/link_tables.h"
#include "ce_image_tool/resource_section.h"
#include "package_tool/byte_writer.h"
#include "platform/ce_image.h"

namespace ce_image_tool {

namespace pe = platform::ce_image;
using package_tool::ByteWriter;

namespace {

constexpr uint32_t kSectionHeadersAt = pe::kPeHeaderAt + 4 + pe::kCoffHeaderSize + pe::kOptionalHeaderSize;
constexpr uint32_t kStackReserve = 0x10000, kStackCommit = 0x1000, kHeapReserve = 0x100000, kHeapCommit = 0x1000;

uint32_t AlignUp(uint32_t value, uint32_t alignment) { return (value + alignment - 1) / alignment * alignment; }

std::string Hex(uint32_t value) {
  std::ostringstream text;
  text << "0x" << std::hex << value;
  return text.str();
}

struct Section {
  std::string name;
  uint32_t rva, virtualSize, flags;
  std::vector<uint8_t> bytes;
};

// The allocated ELF sections as PE sections, in address order.
std::vector<Section> LinkedSections(const ElfFile& elf, uint32_t base) {
  std::vector<Section> sections;
  for (const ElfSection& s : elf.sections) {
    if (!(s.flags & kAllocated) || s.size == 0) continue;
    if (s.address % pe::kSectionAlignment != 0 || s.address < base + pe::kSectionAlignment)
      throw ImageError("section " + s.name + " at " + Hex(s.address) + " is not on a page above the base " + Hex(base) +
                       ": link with the CE linker script");
    const uint32_t flags = s.flags & kExecutable ? pe::kSectionCode | pe::kSectionExecute | pe::kSectionRead
                           : s.flags & kWritable ? pe::kSectionInitializedData | pe::kSectionRead | pe::kSectionWrite
                                                 : pe::kSectionInitializedData | pe::kSectionRead;
    sections.push_back({s.name.substr(0, 8), s.address - base, s.size, flags, s.bytes});
  }
  std::sort(sections.begin(), sections.end(), [](const Section& a, const Section& b) { return a.rva < b.rva; });
  for (size_t i = 1; i < sections.size(); ++i) {
    if (sections[i].rva < sections[i - 1].rva + sections[i - 1].virtualSize)
      throw ImageError("sections " + sections[i - 1].name + " and " + sections[i].name + " overlap");
  }
  if (sections.empty()) throw ImageError("the ELF file has nothing to load");
  return sections;
}

// The word of the image at an RVA, inside the section that holds it.
uint8_t* WordAt(std::vector<Section>& sections, uint32_t rva) {
  for (Section& s : sections) {
    if (rva >= s.rva && rva - s.rva + 4 <= s.bytes.size()) return s.bytes.data() + (rva - s.rva);
  }
  throw ImageError("no section holds the address " + Hex(rva));
}

void PutU32(uint8_t* at, uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}

// A call of a function outside the table stays undefined in the link.
void RefuseUnknownImports(const ElfFile& elf) {
  std::vector<std::string> unknown;
  for (const ElfRelocation& r : elf.relocations) {
    if (r.symbol != 0 && elf.symbols[r.symbol].section == 0) unknown.push_back(elf.symbols[r.symbol].name);
  }
  if (unknown.empty()) return;
  std::sort(unknown.begin(), unknown.end());
  unknown.erase(std::unique(unknown.begin(), unknown.end()), unknown.end());
  std::string names;
  for (const std::string& name : unknown) names += (names.empty() ? "" : ", ") + name;
  throw ImageError("calls " + names + ", not on the reviewed coredll table: check the ordinal and add it there");
}

// The import address table: the slots the linker kept, in one run, each
// filled with its lookup entry as the loader expects before binding.
std::vector<uint16_t> BindSlots(const ImageRequest& request, uint32_t base, std::vector<Section>& sections,
                                DataDirectory& iat) {
  std::vector<std::pair<uint32_t, uint16_t>> slots;
  const std::string prefix = kSlotPrefix;
  for (const ElfSymbol& symbol : request.elf.symbols) {
    if (symbol.section == 0 || symbol.name.rfind(prefix, 0) != 0) continue;
    const std::string function = symbol.name.substr(prefix.size());
    const auto entry = request.ordinals.find(function);
    if (entry == request.ordinals.end())
      throw ImageError("import slot for " + function + ", which is not on the reviewed coredll table");
    slots.push_back({symbol.value - base, entry->second});
  }
  std::sort(slots.begin(), slots.end());
  std::vector<uint16_t> ordinals;
  for (const auto& [rva, ordinal] : slots) {
    if (rva != slots.front().first + 4 * ordinals.size())
      throw ImageError("the import slots are not one table: link with the CE linker script");
    PutU32(WordAt(sections, rva), pe::kImportByOrdinal | ordinal);
    ordinals.push_back(ordinal);
  }
  if (!slots.empty()) iat = {slots.front().first, 4 * static_cast<uint32_t>(ordinals.size() + 1)};
  return ordinals;
}

std::vector<Export> FindExports(const ImageRequest& request, uint32_t base) {
  std::vector<Export> exports;
  if (!request.exports) return exports;
  for (const std::string& name : request.exports->names) {
    const auto symbol = std::find_if(request.elf.symbols.begin(), request.elf.symbols.end(),
                                     [&](const ElfSymbol& s) { return s.name == name && s.section != 0; });
    if (symbol == request.elf.symbols.end()) throw ImageError("exports " + name + ", which the ELF file does not define");
    exports.push_back({name, symbol->value - base});
  }
  return exports;
}

// Every absolute address needs the base's shift when the image loads elsewhere;
// the other relocations the compiler emits for ARM state are relative.
std::vector<uint32_t> AbsolutePlaces(const ElfFile& elf, uint32_t base) {
  std::vector<uint32_t> places;
  for (const ElfRelocation& r : elf.relocations) {
    switch (r.type) {
      case kArmAbs32:
        places.push_back(r.place - base);
        break;
      case kArmNone:
      case kArmPc24:
      case kArmRel32:
      case kArmCall:
      case kArmJump24:
      case kArmV4Bx:
        break;
      default:
        throw ImageError("unsupported relocation type " + std::to_string(r.type) + " at " + Hex(r.place));
    }
  }
  return places;
}

void WriteHeaders(ByteWriter& out, const std::vector<Section>& sections, bool library, uint32_t base, uint32_t entry,
                  const DataDirectory (&directories)[pe::kDirectoryCount]) {
  uint32_t codeSize = 0, dataSize = 0, codeBase = 0;
  for (const Section& s : sections) {
    const uint32_t size = AlignUp(static_cast<uint32_t>(s.bytes.size()), pe::kFileAlignment);
    if (s.flags & pe::kSectionCode) {
      if (codeSize == 0) codeBase = s.rva;
      codeSize += size;
    } else {
      dataSize += size;
    }
  }
  out.U16(pe::kDosSignature);
  out.Align(pe::kPeOffsetAt);
  out.U32(pe::kPeHeaderAt);
  out.U32(pe::kPeSignature);
  out.U16(pe::kMachineArm);
  out.U16(sections.size());
  out.Align(pe::kPeHeaderAt + 4 + pe::kOptionalSizeAt);
  out.U16(pe::kOptionalHeaderSize);
  out.U16(pe::kExecutableImage | pe::kLineNumbersStripped | pe::kLocalSymbolsStripped | pe::k32BitMachine |
          (library ? pe::kDllImage : 0));
  const size_t optional = out.Size();
  out.U16(pe::kPe32Magic);
  out.Align(optional + pe::kCodeSizeAt);
  out.U32(codeSize);
  out.U32(dataSize);
  out.U32(0);  // uninitialized data: the linker script folds it into .data
  out.U32(entry);
  out.U32(codeBase);
  out.U32(0);  // base of data
  out.U32(base);
  out.U32(pe::kSectionAlignment);
  out.U32(pe::kFileAlignment);
  for (uint16_t part : {pe::kCeVersionMajor, pe::kCeVersionMinor, uint16_t{0}, uint16_t{0}, pe::kCeVersionMajor,
                        pe::kCeVersionMinor}) {
    out.U16(part);  // OS, image and subsystem versions
  }
  out.U32(0);
  const Section& last = sections.back();
  out.U32(AlignUp(last.rva + last.virtualSize, pe::kSectionAlignment));
  out.U32(AlignUp(kSectionHeadersAt + pe::kSectionHeaderSize * static_cast<uint32_t>(sections.size()), pe::kFileAlignment));
  out.U32(0);  // checksum
  out.U16(pe::kSubsystemWindowsCeGui);
  out.U16(0);  // DLL characteristics: none that CE reads
  for (uint32_t size : {kStackReserve, kStackCommit, kHeapReserve, kHeapCommit}) out.U32(size);
  out.U32(0);  // loader flags
  out.U32(pe::kDirectoryCount);
  for (const DataDirectory& d : directories) {
    out.U32(d.rva);
    out.U32(d.size);
  }
}

}  // namespace

std::vector<uint8_t> WriteCeImage(const ImageRequest& request) {
  const bool library = request.exports.has_value();
  const uint32_t base = library ? pe::kDllBase : pe::kExeBase;
  if (request.elf.entry < base) throw ImageError("the entry point " + Hex(request.elf.entry) + " lies below the base");
  RefuseUnknownImports(request.elf);
  std::vector<Section> sections = LinkedSections(request.elf, base);
  DataDirectory directories[pe::kDirectoryCount] = {};
  const std::vector<uint16_t> ordinals = BindSlots(request, base, sections, directories[pe::kIatDirectory]);
  const std::vector<uint32_t> places = AbsolutePlaces(request.elf, base);

  const uint32_t tablesAt = AlignUp(sections.back().rva + sections.back().virtualSize, pe::kSectionAlignment);
  LinkTables tables = BuildLinkTables(tablesAt, ordinals, directories[pe::kIatDirectory].rva,
                                      library ? request.exports->library : std::string(), FindExports(request, base));
  directories[pe::kImportDirectory] = tables.imports;
  directories[pe::kExportDirectory] = tables.exports;
  if (!tables.bytes.empty()) {
    const auto size = static_cast<uint32_t>(tables.bytes.size());
    sections.push_back({".idata", tablesAt, size, pe::kSectionInitializedData | pe::kSectionRead, std::move(tables.bytes)});
  }
  if (!request.resources.empty()) {
    const uint32_t at = AlignUp(sections.back().rva + sections.back().virtualSize, pe::kSectionAlignment);
    ResourceSection resources = BuildResourceSection(at, request.resources);
    directories[pe::kResourceDirectory] = resources.directory;
    sections.push_back({".rsrc", at, resources.directory.size, pe::kSectionInitializedData | pe::kSectionRead,
                        std::move(resources.bytes)});
  }
  std::vector<uint8_t> relocations = BuildBaseRelocations(places);
  if (!relocations.empty()) {
    const uint32_t at = AlignUp(sections.back().rva + sections.back().virtualSize, pe::kSectionAlignment);
    const auto size = static_cast<uint32_t>(relocations.size());
    directories[pe::kRelocationDirectory] = {at, size};
    sections.push_back({".reloc", at, size, pe::kSectionInitializedData | pe::kSectionRead | pe::kSectionDiscardable,
                        std::move(relocations)});
  }

  ByteWriter out;
  WriteHeaders(out, sections, library, base, request.elf.entry - base, directories);
  uint32_t fileOffset = AlignUp(kSectionHeadersAt + pe::kSectionHeaderSize * static_cast<uint32_t>(sections.size()),
                                pe::kFileAlignment);
  for (const Section& s : sections) {
    const size_t at = out.Size();
    out.Bytes({s.name.begin(), s.name.end()});  // at most 8 bytes, zero-padded
    out.Align(at + pe::kSectionVirtualSizeAt);
    const auto fileSize = AlignUp(static_cast<uint32_t>(s.bytes.size()), pe::kFileAlignment);
    out.U32(s.virtualSize);
    out.U32(s.rva);
    out.U32(fileSize);
    out.U32(fileSize == 0 ? 0 : fileOffset);
    out.Align(at + pe::kSectionFlagsAt);
    out.U32(s.flags);
    fileOffset += fileSize;
  }
  for (const Section& s : sections) {
    out.Align(pe::kFileAlignment);
    out.Bytes(s.bytes);
  }
  out.Align(pe::kFileAlignment);
  return out.Take();
}

}  // namespace ce_image_tool
