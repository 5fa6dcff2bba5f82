// The About box of a builder copy whose engine file is chosen by the test.
#include <memory>

#include "tests/gui/builder_fixture.h"

using namespace gui_driver;

namespace {

constexpr char kBuilderVersion[] = BC_ABOUT_VERSION;

struct AboutTexts {
  std::string builder;
  std::string engine;
};

class AboutBox : public ::testing::Test {
 protected:
  // Opens the About box of a builder started from folder and reads it.
  static AboutTexts Read(const std::string& folder) {
    Process builder(folder + "\\Brindlecove.exe", "", folder);
    EXPECT_TRUE(builder.Started());
    HWND main = FindMainWindow(builder.Id());
    if (!main) return {};
    ClickAsync(main, IDC_ABOUT);
    // The box has no title bar, hence no caption.
    HWND about = FindDialog(builder.Id(), "");
    if (!about) return {};
    AboutTexts texts{Text(about, IDC_BUILDER_VERSION), Text(about, IDC_ENGINE_VERSION)};
    ClickAsync(about, IDOK);
    EXPECT_TRUE(WaitDialogGone(builder.Id(), ""));
    return texts;
  }

  // A copy of the builder with the given engine file (none when empty).
  static std::string BuilderWithEngine(const std::string& name, const std::string& engineFile) {
    const std::string folder = BuildFile("about_box_" + name);
    for (const std::string& dir : {folder, folder + "\\pocketpc", folder + "\\pocketpc\\arm"}) {
      CreateDirectoryA(dir.c_str(), nullptr);
    }
    CopyFileA((DistFolder() + "\\Brindlecove.exe").c_str(), (folder + "\\Brindlecove.exe").c_str(), FALSE);
    const std::string engine = folder + "\\pocketpc\\arm\\brindlecove.exe";
    DeleteFileA(engine.c_str());
    if (!engineFile.empty()) CopyFileA(WindowsPath(engineFile).c_str(), engine.c_str(), FALSE);
    return folder;
  }
};

TEST_F(AboutBox, ShowsBothVersionsFromTheirVersionResources) {
  const AboutTexts plain = Read(BuilderWithEngine("plain", VERSION_PLAIN));
  EXPECT_EQ(plain.builder, kBuilderVersion);
  EXPECT_EQ(plain.engine, "v2.0.0 Build 0 ");
}

TEST_F(AboutBox, ShowsVerErrorWithoutTheEngineFile) {
  const AboutTexts texts = Read(BuilderWithEngine("no_engine", ""));
  EXPECT_EQ(texts.builder, kBuilderVersion);
  EXPECT_EQ(texts.engine, "ver error");
}

TEST_F(AboutBox, AppendsTheSpecialBuildTextOnlyWhenFlaggedAndPresent) {
  EXPECT_EQ(Read(BuilderWithEngine("special", VERSION_SPECIAL)).engine, "v1.2.3 Build 4 private test build");
  EXPECT_EQ(Read(BuilderWithEngine("special_without_text", VERSION_SPECIAL_WITHOUT_TEXT)).engine,
            "v7.0.12 Build 300 ");
  const std::string cut = Read(BuilderWithEngine("special_long", VERSION_SPECIAL_LONG)).engine;
  EXPECT_EQ(cut, std::string("v10.20.30 Build 40 a special build text that is far too long").substr(0, 49));
  EXPECT_EQ(cut.size(), 49u);
}

TEST_F(AboutBox, ReadsTheInstalledEngine) {
  const AboutTexts texts = Read(DistFolder());
  EXPECT_EQ(texts.builder, kBuilderVersion);
  // The engine carries the product's version, as the builder does, and is no special build.
  EXPECT_EQ(texts.engine, kBuilderVersion);
}

}  // namespace
