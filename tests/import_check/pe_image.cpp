#include "tests/import_check/pe_image.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>

#include "platform/ce_image.h"

namespace import_check {

namespace pe = platform::ce_image;

namespace {

constexpr uint16_t kPe32Plus = 0x20b;

// Little-endian reads that fail, rather than read past the end, on a short file.
class Bytes {
 public:
  explicit Bytes(const std::vector<uint8_t>& data) : data_(data) {}
  std::optional<uint64_t> Read(uint64_t offset, unsigned size) const {
    if (offset > data_.size() || data_.size() - offset < size) return std::nullopt;
    uint64_t value = 0;
    for (unsigned i = 0; i < size; ++i) value |= uint64_t{data_[offset + i]} << (8 * i);
    return value;
  }
  std::optional<std::string> Text(uint64_t offset) const {
    if (offset >= data_.size()) return std::nullopt;
    const auto begin = data_.begin() + static_cast<std::ptrdiff_t>(offset);
    const auto end = std::find(begin, data_.end(), uint8_t{0});
    if (end == data_.end()) return std::nullopt;
    return std::string(begin, end);
  }

 private:
  const std::vector<uint8_t>& data_;
};

class Image {
 public:
  Image(const Bytes& bytes, const std::vector<Section>& sections) : bytes_(bytes), sections_(sections) {}

  // The file offset of a relative virtual address, when a section holds it.
  std::optional<uint64_t> Offset(uint64_t rva) const {
    for (const Section& s : sections_) {
      if (rva >= s.address && rva - s.address < s.fileSize) return s.fileOffset + (rva - s.address);
    }
    return std::nullopt;
  }
  std::optional<uint64_t> Read(uint64_t rva, unsigned size) const {
    const auto offset = Offset(rva);
    return offset ? bytes_.Read(*offset, size) : std::nullopt;
  }
  std::optional<std::string> Text(uint64_t rva) const {
    const auto offset = Offset(rva);
    return offset ? bytes_.Text(*offset) : std::nullopt;
  }

 private:
  const Bytes& bytes_;
  const std::vector<Section>& sections_;
};

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The functions of one import descriptor's lookup table, whose import
// address table starts at slots.
bool ReadThunks(const Image& image, uint64_t table, uint64_t slots, unsigned thunkSize, const std::string& library,
                std::vector<Import>& imports) {
  const uint64_t ordinalFlag = uint64_t{1} << (thunkSize * 8 - 1);
  for (uint64_t index = 0;; ++index) {
    const auto thunk = image.Read(table + index * thunkSize, thunkSize);
    if (!thunk) return false;
    if (*thunk == 0) return true;
    const auto slot = static_cast<uint32_t>(slots + index * thunkSize);
    if (*thunk & ordinalFlag) {
      // Appended, not "#" + number: GCC 12 warns wrongly (-Wrestrict) on the latter.
      std::string ordinal = "#";
      ordinal += std::to_string(*thunk & 0xffff);
      imports.push_back({library, ordinal, slot});
      continue;
    }
    const auto name = image.Text((*thunk & 0x7fffffff) + 2);  // after the 16-bit hint
    if (!name) return false;
    imports.push_back({library, *name, slot});
  }
}

bool ReadImports(const Image& image, uint64_t table, unsigned thunkSize, PeImage& result) {
  for (uint64_t descriptor = table;; descriptor += pe::kImportDescriptorSize) {
    const auto lookup = image.Read(descriptor + pe::kImportLookupAt, 4);
    const auto name = image.Read(descriptor + pe::kImportNameAt, 4);
    const auto slots = image.Read(descriptor + pe::kImportIatAt, 4);
    if (!lookup || !name || !slots) return false;
    if (*name == 0) return true;
    const auto library = image.Text(*name);
    // Some linkers leave the lookup table out; the address table then holds the names.
    if (*lookup == 0) result.lookupTables = false;
    if (!library || !ReadThunks(image, *lookup ? *lookup : *slots, *slots, thunkSize, Lower(*library), result.imports))
      return false;
  }
}

bool ReadExports(const Image& image, uint64_t directory, PeImage& result) {
  const auto count = image.Read(directory + pe::kExportNameCountAt, 4);
  const auto addresses = image.Read(directory + pe::kExportAddressesAt, 4);
  const auto names = image.Read(directory + pe::kExportNamesAt, 4);
  const auto indexes = image.Read(directory + pe::kExportIndexesAt, 4);
  if (!count || !addresses || !names || !indexes) return false;
  for (uint64_t i = 0; i < *count; ++i) {
    const auto nameAt = image.Read(*names + 4 * i, 4), index = image.Read(*indexes + 2 * i, 2);
    const auto name = nameAt ? image.Text(*nameAt) : std::nullopt;
    const auto rva = index ? image.Read(*addresses + 4 * *index, 4) : std::nullopt;
    if (!name || !rva) return false;
    result.exports.push_back({*name, static_cast<uint32_t>(*rva)});
  }
  return true;
}

bool ReadRelocations(const Image& image, uint64_t at, uint64_t size, PeImage& result) {
  for (const uint64_t end = at + size; at < end;) {
    const auto page = image.Read(at, 4), blockSize = image.Read(at + 4, 4);
    // Blocks start on 32-bit boundaries: a block's size is a multiple of 4.
    if (!page || !blockSize || *blockSize < 8 || *blockSize % 4 != 0 || *blockSize > end - at) return false;
    for (uint64_t entry = at + 8; entry + 2 <= at + *blockSize; entry += 2) {
      const auto value = image.Read(entry, 2);
      if (!value) return false;
      if (*value >> 12 == pe::kRelocationHighLow) {
        result.relocations.push_back(static_cast<uint32_t>(*page + (*value & 0xfff)));
      } else if (*value >> 12 != pe::kRelocationPadding) {
        ++result.otherRelocations;
      }
    }
    at += *blockSize;
  }
  return true;
}

}  // namespace

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::optional<PeImage> ReadPeImage(const std::vector<uint8_t>& file) {
  const Bytes bytes(file);
  if (bytes.Read(0, 2) != pe::kDosSignature) return std::nullopt;
  const auto header = bytes.Read(pe::kPeOffsetAt, 4);
  if (!header || bytes.Read(*header, 4) != pe::kPeSignature) return std::nullopt;
  const uint64_t coff = *header + 4, optional = coff + pe::kCoffHeaderSize;
  const auto read = [&](uint64_t at, unsigned size) { return bytes.Read(at, size); };
  const auto magic = read(optional + pe::kMagicAt, 2);
  if (magic != pe::kPe32Magic && magic != kPe32Plus) return std::nullopt;
  const bool pe32 = magic == pe::kPe32Magic;
  // PE32+ drops the base of data and widens the base and the four sizes after it.
  const uint64_t directories = optional + (pe32 ? pe::kDirectoriesAt : pe::kDirectoriesAt + 16);
  const std::optional<uint64_t> fields[] = {
      read(coff + pe::kMachineAt, 2),         read(coff + pe::kCharacteristicsAt, 2),
      read(optional + pe::kSubsystemAt, 2),   read(optional + pe::kSubsystemVersionAt, 2),
      read(optional + pe::kSubsystemVersionAt + 2, 2),
      pe32 ? read(optional + pe::kImageBaseAt, 4) : read(optional + pe::kImageBaseAt - 4, 8),
      read(optional + pe::kEntryAt, 4),       read(optional + pe::kImageSizeAt, 4),
      read(optional + pe::kSectionAlignmentAt, 4), read(optional + pe::kFileAlignmentAt, 4),
      read(coff + pe::kSectionCountAt, 2),    read(coff + pe::kOptionalSizeAt, 2),
      read(directories - 4, 4),               read(optional + pe::kHeadersSizeAt, 4)};
  for (const auto& field : fields) {
    if (!field) return std::nullopt;
  }
  PeImage result;
  result.machine = static_cast<uint16_t>(*fields[0]);
  result.characteristics = static_cast<uint16_t>(*fields[1]);
  result.subsystem = static_cast<uint16_t>(*fields[2]);
  result.subsystemMajor = static_cast<uint16_t>(*fields[3]);
  result.subsystemMinor = static_cast<uint16_t>(*fields[4]);
  result.imageBase = *fields[5];
  result.entry = static_cast<uint32_t>(*fields[6]);
  result.imageSize = static_cast<uint32_t>(*fields[7]);
  result.sectionAlignment = static_cast<uint32_t>(*fields[8]);
  result.fileAlignment = static_cast<uint32_t>(*fields[9]);
  const uint64_t directoryCount = *fields[12];
  result.headersSize = static_cast<uint32_t>(*fields[13]);

  for (uint64_t i = 0, at = optional + *fields[11]; i < *fields[10]; ++i, at += pe::kSectionHeaderSize) {
    const auto virtualSize = read(at + pe::kSectionVirtualSizeAt, 4), address = read(at + pe::kSectionAddressAt, 4);
    const auto fileSize = read(at + pe::kSectionFileSizeAt, 4), fileOffset = read(at + pe::kSectionFileOffsetAt, 4);
    const auto flags = read(at + pe::kSectionFlagsAt, 4);
    if (!address || !virtualSize || !fileSize || !fileOffset || !flags) return std::nullopt;
    // The name is 8 bytes, zero-padded when shorter.
    std::string name;
    for (uint64_t i = 0; i < 8 && read(at + i, 1).value_or(0) != 0; ++i) name += static_cast<char>(*read(at + i, 1));
    result.sections.push_back({static_cast<uint32_t>(*address), static_cast<uint32_t>(*virtualSize),
                               static_cast<uint32_t>(*fileOffset), static_cast<uint32_t>(*fileSize), name,
                               static_cast<uint32_t>(*flags)});
  }
  const Image image(bytes, result.sections);
  const auto directory = [&](uint32_t index) -> std::optional<std::pair<uint64_t, uint64_t>> {
    if (index >= directoryCount) return std::pair<uint64_t, uint64_t>{0, 0};
    const auto rva = read(directories + 8 * index, 4), size = read(directories + 8 * index + 4, 4);
    if (!rva || !size) return std::nullopt;
    return std::pair{*rva, *size};
  };
  const auto imports = directory(pe::kImportDirectory), exports = directory(pe::kExportDirectory);
  const auto relocations = directory(pe::kRelocationDirectory);
  if (!imports || !exports || !relocations) return std::nullopt;
  if (imports->first != 0 && !ReadImports(image, imports->first, pe32 ? 4 : 8, result)) return std::nullopt;
  if (exports->first != 0 && !ReadExports(image, exports->first, result)) return std::nullopt;
  if (!ReadRelocations(image, relocations->first, relocations->second, result)) return std::nullopt;
  return result;
}

}  // namespace import_check
