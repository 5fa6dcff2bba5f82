// The engine's screens at each device size, and the logo's place.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "device/kiosk_engine/core/screen_layout.h"

namespace {

using namespace device::kiosk_engine;

using Parts = std::vector<std::pair<std::string, Rect>>;

const std::vector<std::pair<int, int>> kScreens = {{240, 320}, {320, 240}, {480, 640}, {640, 480}, {800, 480}};

bool Overlap(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Each part is not empty, lies within the frame and overlaps no other part.
void ExpectSeparateWithin(const Rect& frame, const Parts& parts, const std::string& where) {
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const Rect& r = parts[i].second;
    EXPECT_GT(r.Width(), 0) << where << parts[i].first;
    EXPECT_GT(r.Height(), 0) << where << parts[i].first;
    EXPECT_TRUE(r.left >= frame.left && r.top >= frame.top && r.right <= frame.right && r.bottom <= frame.bottom)
        << where << parts[i].first;
    for (std::size_t j = i + 1; j < parts.size(); ++j) {
      EXPECT_FALSE(Overlap(r, parts[j].second)) << where << parts[i].first << " and " << parts[j].first;
    }
  }
}

TEST(ScreenLayout, PartsAreSeparateAndOnScreenAtEachSize) {
  for (const auto& [width, height] : kScreens) {
    const std::string where = std::to_string(width) + "x" + std::to_string(height) + " ";
    const Rect screen{0, 0, width, height};
    const StartupLayout startup = LayOutStartupScreen(width, height);
    ExpectSeparateWithin(screen,
                         {{"logo", startup.logo}, {"version", startup.version}, {"countdown", startup.countdown},
                          {"continue", startup.continueButton}, {"code label", startup.codeLabel},
                          {"code box", startup.codeBox}, {"code button", startup.codeButton}},
                         where);
    EXPECT_GE(startup.continueButton.Height(), 22) << where;
    const DesktopLayout desktop = LayOutKioskDesktop(width, height);
    ExpectSeparateWithin(screen, {{"title", desktop.title}, {"list", desktop.list}}, where);
    EXPECT_GT(desktop.list.Height(), height / 2) << where;
    const CodePromptLayout prompt = LayOutCodePrompt(width, height);
    ExpectSeparateWithin(screen, {{"box", prompt.box}}, where);
    ExpectSeparateWithin(prompt.box,
                         {{"question", prompt.question}, {"code box", prompt.codeBox}, {"ok", prompt.okButton},
                          {"cancel", prompt.cancelButton}},
                         where);
  }
}

TEST(ScreenLayout, PartsGrowWithTheScreen) {
  const StartupLayout small = LayOutStartupScreen(240, 320);
  const StartupLayout vga = LayOutStartupScreen(480, 640);
  EXPECT_GT(vga.continueButton.Height(), small.continueButton.Height());
  EXPECT_GT(vga.logo.Height(), small.logo.Height());
  EXPECT_GT(LayOutKioskDesktop(480, 640).title.Height(), LayOutKioskDesktop(240, 320).title.Height());
}

TEST(ScreenLayout, LogoCentredCutOrStretched) {
  const Rect area{10, 20, 210, 120};  // 200 x 100
  for (const auto& [width, height, fit, target, source] : std::vector<std::tuple<int, int, bool, Rect, Rect>>{
           {50, 40, false, {85, 50, 135, 90}, {0, 0, 50, 40}},
           {200, 100, false, {10, 20, 210, 120}, {0, 0, 200, 100}},
           {300, 100, false, {10, 20, 210, 120}, {50, 0, 250, 100}},
           {201, 101, false, {10, 20, 210, 120}, {0, 0, 200, 100}},
           {50, 300, false, {85, 20, 135, 120}, {0, 100, 50, 200}},
           {50, 40, true, {10, 20, 210, 120}, {0, 0, 50, 40}},
           {300, 300, true, {10, 20, 210, 120}, {0, 0, 300, 300}},
           {0, 40, false, {}, {}},
           {50, -1, true, {}, {}}}) {
    const LogoPlacement placement = PlaceLogo(area, width, height, fit);
    EXPECT_EQ(placement.target, target) << width << "x" << height << " fit " << fit;
    EXPECT_EQ(placement.source, source) << width << "x" << height << " fit " << fit;
  }
  EXPECT_EQ(PlaceLogo({5, 5, 5, 50}, 10, 10, true).target, Rect{});
}

}  // namespace
