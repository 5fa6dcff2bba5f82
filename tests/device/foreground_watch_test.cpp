// Which window in front the watchdog covers with the kiosk again.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "device/kiosk_engine/core/foreground_watch.h"

namespace {

using device::kiosk_engine::ForegroundWatch;

constexpr std::uint32_t kEngine = 7;

TEST(ForegroundWatch, CoversEveryWindowButTheEnginesAndItsApplications) {
  struct Case {
    const char* what;
    std::vector<std::uint32_t> started;  // in order
    std::uint32_t front;
    bool comesBack;
  };
  std::vector<std::uint32_t> full;  // 100, 101, ... as many as it remembers
  for (std::uint32_t i = 0; i < ForegroundWatch::kRemembered; ++i) full.push_back(100 + i);
  std::vector<std::uint32_t> oneMore = full;
  oneMore.push_back(999);
  for (const Case& c : std::vector<Case>{
           {"no window in front", {}, 0, false},
           {"the engine's own window or box", {}, kEngine, false},
           {"a foreign window", {}, 8, true},
           {"a started application", {8}, 8, false},
           {"a foreign window beside started ones", {8, 9}, 10, true},
           {"the first of a full list", full, 100, false},
           {"the last of a full list", full, 100 + ForegroundWatch::kRemembered - 1, false},
           {"one start more forgets the oldest", oneMore, 100, true},
           {"and keeps the second", oneMore, 101, false},
           {"and the newest", oneMore, 999, false},
       }) {
    SCOPED_TRACE(c.what);
    ForegroundWatch watch;
    for (std::uint32_t process : c.started) watch.Started(process);
    EXPECT_EQ(watch.KioskMustComeBack(c.front, kEngine), c.comesBack);
  }
}

}  // namespace
