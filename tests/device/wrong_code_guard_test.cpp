// Five wrong codes in a row, then 30 seconds in which no code is taken.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/kiosk_engine/core/wrong_code_guard.h"

namespace {

using device::kiosk_engine::WrongCodeGuard;

TEST(WrongCodeGuard, WaitsAfterFiveWrongInARowAndForThirtySeconds) {
  struct Case {
    const char* what;
    // One a second from startMs, taken only when there is no wait, as the
    // engine takes them: '-' a wrong code, '+' a right one, '.' 30 s pass.
    std::string codes;
    std::uint32_t startMs;
    std::uint32_t afterLastMs;
    std::uint32_t secondsToWait;
  };
  for (const Case& c : std::vector<Case>{
           {"none", "", 0, 0, 0},
           {"four wrong", "----", 0, 0, 0},
           {"five wrong", "-----", 0, 0, 30},
           {"five wrong, 1 ms later", "-----", 0, 1, 30},
           {"five wrong, 29 s later", "-----", 0, 29'000, 1},
           {"five wrong, 29.999 s later", "-----", 0, 29'999, 1},
           {"five wrong, 30 s later", "-----", 0, 30'000, 0},
           {"five wrong across the tick count's wrap", "-----", 0xFFFFF000u, 15'500, 15},
           {"the sixth is refused even when right", "-----+", 0, 0, 29},
           {"a right code ends the row", "----+----", 0, 0, 0},
           {"the row starts again after a wait", "-----.----", 0, 0, 0},
           {"and five more wait again", "-----.-----", 0, 0, 30},
       }) {
    SCOPED_TRACE(c.what);
    WrongCodeGuard guard;
    std::uint32_t at = c.startMs;
    for (char code : c.codes) {
      at += code == '.' ? 30'000 : 1000;
      if (code != '.' && guard.SecondsToWait(at) == 0) guard.CodeChecked(code == '+', at);
    }
    EXPECT_EQ(guard.SecondsToWait(at + c.afterLastMs), c.secondsToWait);
  }
}

}  // namespace
