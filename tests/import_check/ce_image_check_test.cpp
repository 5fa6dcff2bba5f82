// The CE ARM import check's verdicts, each rule at its edges.
#include <gtest/gtest.h>

#include "platform/ce_image.h"
#include "tests/import_check/ce_image_check.h"

namespace {

using import_check::CeImageProblems;
using import_check::PeImage;
namespace pe = platform::ce_image;

const std::map<std::string, uint16_t> kReviewed{{"LocalAlloc", 33}, {"LocalFree", 36}};

// A library as a Pocket PC 2003 loads it.
PeImage GoodLibrary() {
  PeImage image;
  image.machine = pe::kMachineArm;
  image.characteristics = pe::kExecutableImage | pe::kDllImage;
  image.subsystem = pe::kSubsystemWindowsCeGui;
  image.subsystemMajor = 4;
  image.subsystemMinor = 20;
  image.imports = {{"coredll.dll", "#33", 0x3000}, {"coredll.dll", "#36", 0x3004}};
  image.relocations = {0x1008};
  return image;
}

std::vector<std::string> ProblemsOf(void (*change)(PeImage&)) {
  PeImage image = GoodLibrary();
  change(image);
  return CeImageProblems(image, kReviewed);
}

using Problems = std::vector<std::string>;

TEST(CeImageCheck, PassesAModuleAPocketPcLoads) {
  EXPECT_TRUE(CeImageProblems(GoodLibrary(), kReviewed).empty());
  // Older CE versions load on newer devices; a program may do without relocations.
  EXPECT_EQ(ProblemsOf([](PeImage& i) { i.subsystemMinor = 19; }), Problems{});
  EXPECT_EQ(ProblemsOf([](PeImage& i) { i.subsystemMajor = 3; i.subsystemMinor = 99; }), Problems{});
  EXPECT_EQ(ProblemsOf([](PeImage& i) { i.characteristics = pe::kExecutableImage; i.relocations.clear(); }),
            Problems{});
}

TEST(CeImageCheck, RefusesAnotherMachineOrSubsystem) {
  EXPECT_EQ(ProblemsOf([](PeImage& i) { i.machine = 0x1c2; }), Problems{"built for machine 450, not ARM"});
  EXPECT_EQ(ProblemsOf([](PeImage& i) { i.machine = 0x14c; }), Problems{"built for machine 332, not ARM"});
  EXPECT_EQ(ProblemsOf([](PeImage& i) { i.subsystem = 2; }), Problems{"subsystem 2, not Windows CE GUI"});
}

TEST(CeImageCheck, RefusesACeVersionNewerThan420) {
  EXPECT_EQ(ProblemsOf([](PeImage& i) { i.subsystemMinor = 21; }), Problems{"asks for CE 4.21, newer than 4.20"});
  EXPECT_EQ(ProblemsOf([](PeImage& i) { i.subsystemMajor = 5; i.subsystemMinor = 1; }),
            Problems{"asks for CE 5.1, newer than 4.20"});
}

TEST(CeImageCheck, RefusesImportsOutsideTheReviewedOrdinals) {
  EXPECT_EQ(ProblemsOf([](PeImage& i) { i.imports[0].library = "kernel32.dll"; }),
            Problems{"imports #33 from kernel32.dll, not from coredll.dll"});
  EXPECT_EQ(ProblemsOf([](PeImage& i) { i.imports[0].function = "LocalAlloc"; }),
            Problems{"imports LocalAlloc by name"});
  EXPECT_EQ(ProblemsOf([](PeImage& i) { i.imports[1].function = "#35"; }),
            Problems{"imports ordinal 35, which is not on the reviewed table"});
  EXPECT_EQ(ProblemsOf([](PeImage& i) { i.lookupTables = false; }),
            Problems{"an import descriptor without its lookup table"});
}

TEST(CeImageCheck, RefusesALibraryWithoutRelocations) {
  EXPECT_EQ(ProblemsOf([](PeImage& i) { i.relocations.clear(); }), Problems{"a library without its relocations"});
  EXPECT_EQ(ProblemsOf([](PeImage& i) { i.characteristics |= pe::kRelocationsStripped; }),
            Problems{"a library without its relocations"});
  EXPECT_EQ(ProblemsOf([](PeImage& i) { i.otherRelocations = 1; }),
            Problems{"base relocations of another type than HIGHLOW"});
}

}  // namespace
