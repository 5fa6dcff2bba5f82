#include "tests/import_check/pe_imports.h"

#include <algorithm>
#include <cctype>

namespace import_check {

namespace {

constexpr uint16_t kPe32 = 0x10b;
constexpr uint16_t kPe32Plus = 0x20b;
constexpr uint32_t kImportDirectory = 1;

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

struct Section {
  uint64_t address, fileOffset, fileSize;
};

class Image {
 public:
  Image(const Bytes& bytes, std::vector<Section> sections) : bytes_(bytes), sections_(std::move(sections)) {}

  // The file offset of a relative virtual address, when a section holds it.
  std::optional<uint64_t> Offset(uint64_t rva) const {
    for (const Section& s : sections_) {
      if (rva >= s.address && rva - s.address < s.fileSize)
        return s.fileOffset + (rva - s.address);
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
  std::vector<Section> sections_;
};

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The functions of one import descriptor's lookup table.
bool ReadThunks(const Image& image, uint64_t table, unsigned thunkSize, const std::string& library,
                std::vector<Import>& imports) {
  const uint64_t ordinalFlag = uint64_t{1} << (thunkSize * 8 - 1);
  for (uint64_t entry = table;; entry += thunkSize) {
    const auto thunk = image.Read(entry, thunkSize);
    if (!thunk) return false;
    if (*thunk == 0) return true;
    if (*thunk & ordinalFlag) {
      std::string ordinal = "#";
      ordinal += std::to_string(*thunk & 0xffff);
      imports.push_back({library, ordinal});
      continue;
    }
    const auto name = image.Text((*thunk & 0x7fffffff) + 2);  // after the 16-bit hint
    if (!name) return false;
    imports.push_back({library, *name});
  }
}

}  // namespace

std::optional<PeImage> ReadPeImage(const std::vector<uint8_t>& file) {
  const Bytes bytes(file);
  if (bytes.Read(0, 2) != 0x5a4d) return std::nullopt;  // "MZ"
  const auto header = bytes.Read(0x3c, 4);
  if (!header || bytes.Read(*header, 4) != 0x4550) return std::nullopt;  // "PE\0\0"
  const uint64_t coff = *header + 4, optional = coff + 20;
  const auto machine = bytes.Read(coff, 2), sectionCount = bytes.Read(coff + 2, 2);
  const auto optionalSize = bytes.Read(coff + 16, 2), magic = bytes.Read(optional, 2);
  if (!machine || !sectionCount || !optionalSize || !magic || (*magic != kPe32 && *magic != kPe32Plus))
    return std::nullopt;
  const unsigned thunkSize = *magic == kPe32 ? 4 : 8;
  const uint64_t directories = optional + (*magic == kPe32 ? 96 : 112);
  const auto directoryCount = bytes.Read(directories - 4, 4);
  const auto major = bytes.Read(optional + 48, 2), minor = bytes.Read(optional + 50, 2);
  if (!directoryCount || !major || !minor) return std::nullopt;

  std::vector<Section> sections;
  for (uint64_t i = 0, at = optional + *optionalSize; i < *sectionCount; ++i, at += 40) {
    const auto address = bytes.Read(at + 12, 4), fileSize = bytes.Read(at + 16, 4);
    const auto fileOffset = bytes.Read(at + 20, 4);
    if (!address || !fileSize || !fileOffset) return std::nullopt;
    sections.push_back({*address, *fileOffset, *fileSize});
  }
  const Image image(bytes, std::move(sections));

  PeImage result{static_cast<uint16_t>(*machine), static_cast<uint16_t>(*major), static_cast<uint16_t>(*minor), {}};
  if (*directoryCount <= kImportDirectory) return result;
  const auto importTable = bytes.Read(directories + 8 * kImportDirectory, 4);
  if (!importTable) return std::nullopt;
  if (*importTable == 0) return result;
  for (uint64_t descriptor = *importTable;; descriptor += 20) {
    const auto lookup = image.Read(descriptor, 4), name = image.Read(descriptor + 12, 4);
    const auto bound = image.Read(descriptor + 16, 4);
    if (!lookup || !name || !bound) return std::nullopt;
    if (*name == 0) return result;
    const auto library = image.Text(*name);
    // Some linkers leave the lookup table out; the bound table then holds the names.
    if (!library || !ReadThunks(image, *lookup ? *lookup : *bound, thunkSize, Lower(*library), result.imports))
      return std::nullopt;
  }
}

}  // namespace import_check
