#include "tests/import_check/ce_image_check.h"

#include <set>

#include "platform/ce_image.h"

namespace import_check {

namespace pe = platform::ce_image;

std::vector<std::string> CeImageProblems(const PeImage& image, const std::map<std::string, uint16_t>& reviewed) {
  std::vector<std::string> problems;
  if (image.machine != pe::kMachineArm) problems.push_back("built for machine " + std::to_string(image.machine) + ", not ARM");
  if (image.subsystem != pe::kSubsystemWindowsCeGui)
    problems.push_back("subsystem " + std::to_string(image.subsystem) + ", not Windows CE GUI");
  if (image.subsystemMajor * 100 + image.subsystemMinor > pe::kCeVersionMajor * 100 + pe::kCeVersionMinor)
    problems.push_back("asks for CE " + std::to_string(image.subsystemMajor) + "." + std::to_string(image.subsystemMinor) +
                       ", newer than 4.20");
  if (!image.lookupTables) problems.push_back("an import descriptor without its lookup table");
  std::set<std::string> ordinals;
  for (const auto& [function, ordinal] : reviewed) ordinals.insert(std::to_string(ordinal));
  for (const Import& import : image.imports) {
    if (import.library != "coredll.dll") {
      problems.push_back("imports " + import.function + " from " + import.library + ", not from coredll.dll");
    } else if (import.function.front() != '#') {
      problems.push_back("imports " + import.function + " by name");
    } else if (!ordinals.count(import.function.substr(1))) {
      problems.push_back("imports ordinal " + import.function.substr(1) + ", which is not on the reviewed table");
    }
  }
  if (image.characteristics & pe::kDllImage) {
    if ((image.characteristics & pe::kRelocationsStripped) || image.relocations.empty())
      problems.push_back("a library without its relocations");
  }
  if (image.otherRelocations != 0) problems.push_back("base relocations of another type than HIGHLOW");
  return problems;
}

}  // namespace import_check
