#include "tests/arm_device/ce_loader.h"

#include <algorithm>

#include "platform/ce_image.h"
#include "tests/import_check/pe_image.h"

namespace arm_device_test {

namespace pe = platform::ce_image;

namespace {

// The access a section's flags ask for, as the CE loader gives its pages.
uint32_t SectionAccess(uint32_t flags) {
  return (flags & pe::kSectionRead ? kPageRead : 0) | (flags & pe::kSectionWrite ? kPageWrite : 0) |
         (flags & pe::kSectionExecute ? kPageExecute : 0);
}

// The headers readable only, then each section on pages of its own with its
// access; what lies between stays unmapped.
void MapSections(ArmMachine& machine, const import_check::PeImage& image, const std::string& path, uint32_t base) {
  const std::string module = path.substr(path.find_last_of('/') + 1);
  uint32_t free = PageUp(image.headersSize);
  machine.Map(base, free, kPageRead, "the headers of " + module);
  for (const import_check::Section& s : image.sections) {
    if (s.address % kPageSize != 0 || s.address < free)
      throw LoadError(path + ": section " + s.name + " does not start on a page of its own");
    free = s.address + PageUp(s.virtualSize);
    machine.Map(base + s.address, s.virtualSize, SectionAccess(s.flags), s.name + " of " + module);
  }
}

}  // namespace

LoadedModule LoadModule(ArmMachine& machine, const OrdinalResolver& resolve, const std::string& path, uint32_t base) {
  const std::vector<uint8_t> file = import_check::ReadFileBytes(path);
  if (file.empty()) throw LoadError(path + ": not found; build the CE ARM tree (build/ce-arm) first");
  const std::optional<import_check::PeImage> image = import_check::ReadPeImage(file);
  if (!image) throw LoadError(path + ": not a PE image");
  if (image->machine != pe::kMachineArm) throw LoadError(path + ": not an ARM image");
  if (base != image->imageBase && image->relocations.empty())
    throw LoadError(path + ": cannot move from its base without relocations");

  MapSections(machine, *image, path, base);
  for (const import_check::Section& s : image->sections) {
    const uint32_t size = std::min(s.fileSize, s.virtualSize);
    if (size > 0) machine.Write(base + s.address, file.data() + s.fileOffset, size);
  }
  const uint32_t shift = base - static_cast<uint32_t>(image->imageBase);
  for (uint32_t rva : image->relocations) machine.WriteU32(base + rva, machine.ReadU32(base + rva) + shift);
  for (const import_check::Import& import : image->imports) {
    if (import.library != "coredll.dll") throw LoadError(path + ": imports from " + import.library);
    if (import.function.front() != '#') throw LoadError(path + ": imports " + import.function + " by name");
    const auto ordinal = static_cast<uint16_t>(std::stoul(import.function.substr(1)));
    const std::optional<uint32_t> address = resolve(ordinal);
    if (!address) throw LoadError(path + ": function @ Ordinal " + std::to_string(ordinal) + " missing in coredll.dll");
    machine.WriteU32(base + import.slot, *address);
  }
  LoadedModule module{base, static_cast<uint32_t>(image->imageBase), base + image->entry, {}};
  for (const import_check::Export& e : image->exports) module.exports[e.name] = base + e.rva;
  return module;
}

}  // namespace arm_device_test
