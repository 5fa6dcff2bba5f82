// Our coredll's message queue: posted messages first, then WM_QUIT, WM_PAINT
// for an invalid window and WM_TIMER for a due timer, as GWES orders them;
// sent messages go straight into the ARM window procedure, which may send
// again. Timers run on the device time of the waits.
#include <algorithm>
#include <stdexcept>

#include "tests/arm_device/core_library.h"

namespace arm_device_test {

namespace {

constexpr uint32_t kPmRemove = 1;
constexpr uint32_t kQsPostMessage = 0x08, kQsTimer = 0x10, kQsPaint = 0x20;
constexpr uint32_t kMwmoInputAvailable = 0x4;
constexpr uint32_t kMaximumWaitObjects = 64;
constexpr uint32_t kWaitFailed = 0xFFFFFFFF;
constexpr uint32_t kMsgSize = 28;  // MSG: hwnd, message, wParam, lParam, time, pt
constexpr int kDeepestSend = 32;

}  // namespace

uint32_t CoreLibrary::PushSystem(const void* bytes, size_t size) {
  const uint32_t at = kSystemBase + systemUsed_;
  systemUsed_ += static_cast<uint32_t>((size + 7) / 8 * 8);
  if (systemUsed_ > kSystemSize) throw std::runtime_error("window procedures nest too deep for coredll's structures");
  machine_.Write(at, bytes, size);
  return at;
}

uint32_t CoreLibrary::Send(uint32_t handle, uint32_t message, uint32_t wParam, uint32_t lParam) {
  const auto window = windows.find(handle);
  if (window == windows.end()) {
    Problem("message " + std::to_string(message) + " sent to no window");
    return 0;
  }
  if (window->second.procedure == 0) return ControlProcedure(handle, message, wParam, lParam);
  if (sendDepth_ == kDeepestSend) throw std::runtime_error("sent messages nest deeper than 32");
  ++sendDepth_;
  const CallResult result = machine_.Call(window->second.procedure, {handle, message, wParam, lParam});
  --sendDepth_;
  for (const std::string& problem : result.problems) Problem("window procedure: " + problem);
  return result.r0;
}

void CoreLibrary::Post(uint32_t handle, uint32_t message, uint32_t wParam, uint32_t lParam) {
  posted_.push_back({handle, message, wParam, lParam});
  inputSincePeek_ = true;
}

std::optional<PostedMessage> CoreLibrary::NextMessage(uint32_t filterWindow, uint32_t first, uint32_t last,
                                                      bool remove) {
  const auto wanted = [&](uint32_t window, uint32_t message) {
    return (filterWindow == 0 || window == filterWindow) &&
           ((first == 0 && last == 0) || (message >= first && message <= last));
  };
  for (auto message = posted_.begin(); message != posted_.end(); ++message) {
    if (!wanted(message->window, message->message)) continue;
    const PostedMessage found = *message;
    if (remove) posted_.erase(message);
    return found;
  }
  if (quitCode_ && wanted(filterWindow, kWmQuit)) {
    const PostedMessage quit{0, kWmQuit, *quitCode_, 0};
    if (remove) quitCode_.reset();
    return quit;
  }
  for (auto& [handle, window] : windows) {
    // The built-in controls paint themselves.
    if (window.procedure == 0) window.invalid = false;
    if (window.invalid && Shown(handle) && wanted(handle, kWmPaint)) return PostedMessage{handle, kWmPaint, 0, 0};
  }
  for (auto& [key, timer] : timers_) {
    if (timer.dueMs > clockMs || !wanted(key.first, kWmTimer)) continue;
    if (remove) timer.dueMs = clockMs + timer.intervalMs;
    return PostedMessage{key.first, kWmTimer, key.second, 0};
  }
  return std::nullopt;
}

bool CoreLibrary::InputWaiting(uint32_t wakeMask, bool onlyNew) const {
  bool timerDue = false, newTimer = false, paint = false;
  for (const auto& [key, timer] : timers_) {
    timerDue |= timer.dueMs <= clockMs;
    newTimer |= timer.dueMs <= clockMs && timer.dueMs > lastPeekMs_;
  }
  for (const auto& [handle, window] : windows) paint |= window.procedure != 0 && window.invalid && Shown(handle);
  const bool waiting = ((wakeMask & kQsPostMessage) && (!posted_.empty() || quitCode_)) ||
                       ((wakeMask & kQsPaint) && paint) || ((wakeMask & kQsTimer) && timerDue);
  // Without MWMO_INPUTAVAILABLE only input that came after the last look at the queue wakes the wait.
  return onlyNew ? (waiting && inputSincePeek_) || ((wakeMask & kQsTimer) && newTimer) : waiting;
}

uint32_t CoreLibrary::PeekMessageW() {
  const uint32_t message = machine_.Argument(0), flags = machine_.Argument(4);
  lastPeekMs_ = clockMs;
  inputSincePeek_ = false;
  const std::optional<PostedMessage> next =
      NextMessage(machine_.Argument(1), machine_.Argument(2), machine_.Argument(3), (flags & kPmRemove) != 0);
  if (!next) return 0;
  const uint32_t msg[kMsgSize / 4] = {next->window, next->message, next->wParam, next->lParam, clockMs, 0, 0};
  machine_.Write(message, msg, kMsgSize);
  return 1;
}

uint32_t CoreLibrary::GetMessageW() {
  const uint32_t message = machine_.Argument(0), window = machine_.Argument(1);
  const uint32_t first = machine_.Argument(2), last = machine_.Argument(3);
  Block(std::nullopt, true, [&] { return NextMessage(window, first, last, false).has_value(); },
        "messages, which nothing will ever send");
  lastPeekMs_ = clockMs;
  inputSincePeek_ = false;
  const PostedMessage next = *NextMessage(window, first, last, true);
  const uint32_t msg[kMsgSize / 4] = {next.window, next.message, next.wParam, next.lParam, clockMs, 0, 0};
  machine_.Write(message, msg, kMsgSize);
  return next.message != kWmQuit;
}

uint32_t CoreLibrary::DispatchMessageW() {
  const uint32_t msg = machine_.Argument(0);
  const uint32_t window = machine_.ReadU32(msg), message = machine_.ReadU32(msg + 4);
  if (window == 0) return 0;  // a thread message has no procedure
  if (WindowOf(window, "DispatchMessageW") == nullptr) return 0;
  ++messagesDispatched;
  return Send(window, message, machine_.ReadU32(msg + 8), machine_.ReadU32(msg + 12));
}

uint32_t CoreLibrary::PostMessageW() {
  const uint32_t window = machine_.Argument(0);
  if (window != 0 && WindowOf(window, "PostMessageW") == nullptr) return 0;
  Post(window, machine_.Argument(1), machine_.Argument(2), machine_.Argument(3));
  return 1;
}

uint32_t CoreLibrary::PostQuitMessage() {
  quitCode_ = machine_.Argument(0);
  inputSincePeek_ = true;
  return 0;
}

uint32_t CoreLibrary::SendMessageW() {
  const uint32_t window = machine_.Argument(0);
  if (WindowOf(window, "SendMessageW") == nullptr) return 0;
  return Send(window, machine_.Argument(1), machine_.Argument(2), machine_.Argument(3));
}

uint32_t CoreLibrary::SetTimer() {
  const uint32_t window = machine_.Argument(0), id = machine_.Argument(1), interval = machine_.Argument(2);
  if (WindowOf(window, "SetTimer") == nullptr) return 0;
  if (machine_.Argument(3) != 0) Problem("SetTimer with a timer procedure: only WM_TIMER is emulated");
  timers_[{window, id}] = {interval, clockMs + interval};
  return id != 0 ? id : 1;
}

uint32_t CoreLibrary::KillTimer() { return timers_.erase({machine_.Argument(0), machine_.Argument(1)}) == 1; }

uint32_t CoreLibrary::MsgWaitForMultipleObjectsEx() {
  const uint32_t count = machine_.Argument(0), handles = machine_.Argument(1), timeout = machine_.Argument(2);
  const uint32_t wakeMask = machine_.Argument(3), flags = machine_.Argument(4);
  if (count > kMaximumWaitObjects || (count > 0 && handles == 0) || (flags & ~kMwmoInputAvailable) != 0) {
    Problem("MsgWaitForMultipleObjectsEx with " + std::to_string(count) + " handles and flags " +
            std::to_string(flags));
    return kWaitFailed;
  }
  std::vector<uint32_t> objects;
  for (uint32_t i = 0; i < count; ++i) {
    objects.push_back(machine_.ReadU32(handles + 4 * i));
    if (eventHandles_.count(objects.back()) == 0 && processHandles_.count(objects.back()) == 0) {
      Problem("MsgWaitForMultipleObjectsEx of no event or process handle");
      return kWaitFailed;
    }
  }
  uint32_t woken = count;
  const auto ready = [&] {
    for (uint32_t i = 0; i < count; ++i) {
      if (Signalled(objects[i])) return woken = i, true;
    }
    return InputWaiting(wakeMask, (flags & kMwmoInputAvailable) == 0);
  };
  const auto limit = timeout == 0xFFFFFFFF ? std::nullopt : std::optional<uint32_t>(timeout);
  return Block(limit, (wakeMask & kQsTimer) != 0, ready, "messages and objects, which nothing will ever end")
             ? woken
             : 0x102;  // WAIT_TIMEOUT
}

}  // namespace arm_device_test
