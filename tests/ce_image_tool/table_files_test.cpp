// The two text inputs of the image tool: the reviewed ordinal table and a
// module definition file.
#include <gtest/gtest.h>

#include "ce_image_tool/export_list.h"
#include "ce_image_tool/ordinal_table.h"
#include "tests/ce_image_tool/expect_error.h"

namespace {

using namespace ce_image_tool;
using ce_image_tool_test::ExpectError;

TEST(OrdinalTable, ReadsEntriesAroundCommentsAndBlankLines) {
  const OrdinalTable table = ReadOrdinalTable("# memory\nLocalAlloc 33\n\n  LocalFree\t36  # frees\nLast 65535\nFirst 1\n");
  EXPECT_EQ(table, (OrdinalTable{{"LocalAlloc", 33}, {"LocalFree", 36}, {"Last", 65535}, {"First", 1}}));
}

TEST(OrdinalTable, TakesOrdinalsFromOneTo65535InAtMostFiveDigitsAndRefusesTheRestNamingTheLine) {
  const struct {
    std::string text;
    uint16_t ordinal;     // 0: refused with the message
    std::string message;
  } cases[] = {
      {"LocalAlloc 1", 1, ""},
      {"LocalAlloc 65535", 65535, ""},
      {"LocalAlloc 00033", 33, ""},
      {"LocalAlloc 33# frees", 33, ""},
      {"LocalAlloc 0", 0, "line 1: ordinal 0 is outside 1..65535"},
      {"A 1\nLocalAlloc 65536", 0, "line 2: ordinal 65536 is outside 1..65535"},
      {"A 1\nLocalAlloc", 0, "line 2: expected \"Function ordinal\""},
      {"LocalAlloc#33", 0, "line 1: expected \"Function ordinal\""},
      {"LocalAlloc 33 34", 0, "line 1: expected \"Function ordinal\""},
      {"LocalAlloc x33", 0, "line 1: expected \"Function ordinal\""},
      {"LocalAlloc -1", 0, "line 1: expected \"Function ordinal\""},
      {"LocalAlloc 000033", 0, "line 1: expected \"Function ordinal\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    if (c.ordinal != 0) {
      EXPECT_EQ(ReadOrdinalTable(c.text), (OrdinalTable{{"LocalAlloc", c.ordinal}}));
    } else {
      ExpectError([&] { ReadOrdinalTable(c.text); }, c.message);
    }
  }
}

TEST(OrdinalTable, RefusesAFunctionOrAnOrdinalListedTwice) {
  ExpectError([] { ReadOrdinalTable("LocalAlloc 33\nLocalAlloc 34\n"); }, "line 2: LocalAlloc is listed twice");
  ExpectError([] { ReadOrdinalTable("LocalAlloc 33\nLocalFree 33\n"); }, "line 2: ordinal 33 is listed twice");
}

TEST(ExportList, ReadsTheLibraryAndThePlainNames) {
  const ExportList list = ReadExportList("; setup hooks\nLIBRARY BCESetup.dll\nEXPORTS\n  Install_Init\n  Install_Exit ; hook\n");
  EXPECT_EQ(list.library, "BCESetup.dll");
  EXPECT_EQ(list.names, (std::vector<std::string>{"Install_Init", "Install_Exit"}));
}

TEST(ExportList, RefusesWhatItCannotExport) {
  ExpectError([] { ReadExportList("EXPORTS\n  CheckLogin\n"); }, "names no LIBRARY");
  ExpectError([] { ReadExportList("LIBRARY bcmgr.dll\nEXPORTS\n"); }, "exports nothing");
  ExpectError([] { ReadExportList("LIBRARY bcmgr.dll\n  CheckLogin\nEXPORTS\n"); },
              "unexpected module definition line:   CheckLogin");
  ExpectError([] { ReadExportList("LIBRARY bcmgr.dll\nEXPORTS\n  CheckLogin @1\n"); },
              "unexpected module definition line:   CheckLogin @1");
}

}  // namespace
