// Our coredll's events, processes and waits, and the device time that
// passes only while the program waits: each wait lets the next happening of
// the test's script come true, or moves the clock to the earliest time that
// can end it. A wait that nothing can end stops the run.
#include <algorithm>
#include <stdexcept>

#include "tests/arm_device/core_library.h"

namespace arm_device_test {

namespace {

constexpr uint32_t kEventReset = 2, kEventSet = 3;
constexpr uint32_t kWaitObject0 = 0, kWaitTimeout = 0x102, kWaitFailed = 0xFFFFFFFF, kInfinite = 0xFFFFFFFF;
constexpr uint32_t kStillActive = 0x103;

std::string Narrow(const std::u16string& text) { return {text.begin(), text.end()}; }

}  // namespace

// A happening that names no event, program or text.
Happening Happening::Of(Kind kind, uint32_t controlId) {
  Happening happening(u"");
  happening.kind = kind;
  happening.controlId = controlId;
  return happening;
}

Happening Happening::Tap(uint32_t controlId, uint16_t notification, int32_t item) {
  Happening tap = Of(Kind::Tap, controlId);
  tap.notification = notification;
  tap.item = item;
  return tap;
}

Happening Happening::Type(uint32_t controlId, std::u16string typed) {
  Happening typing(std::move(typed));
  typing.kind = Kind::Type;
  typing.controlId = controlId;
  return typing;
}

Happening Happening::EndProcess(std::u16string program, uint32_t exitCode) {
  Happening end(std::move(program));
  end.kind = Kind::EndProcess;
  end.exitCode = exitCode;
  return end;
}

Happening Happening::Hold(uint32_t controlId) { return Of(Kind::Hold, controlId); }
Happening Happening::OtherWindow() { return Of(Kind::OtherWindow, 0); }
Happening Happening::Button(uint32_t key) { return Of(Kind::Button, key); }

Happening Happening::At(uint32_t ms) const {
  Happening timed = *this;
  timed.atMs = ms;
  return timed;
}

uint32_t CoreLibrary::CreateEventW() {
  const uint32_t manualReset = machine_.Argument(1), initial = machine_.Argument(2), name = machine_.Argument(3);
  const std::u16string key =
      name ? machine_.ReadWide(name) : u"<unnamed " + std::u16string(1, u'0' + events.size()) + u">";
  creations.push_back({key, manualReset != 0, initial != 0});
  if (std::find(refusedEvents.begin(), refusedEvents.end(), key) != refusedEvents.end()) return 0;
  const bool exists = events.count(key) != 0;
  Event& event = events[key];
  if (!exists) {
    event.manualReset = manualReset != 0;
    event.signalled = initial != 0;
  }
  ++event.handles;
  const uint32_t handle = NewHandle();
  eventHandles_[handle] = key;
  return handle;
}

uint32_t CoreLibrary::EventModify() {
  const auto handle = eventHandles_.find(machine_.Argument(0));
  if (handle == eventHandles_.end()) {
    Problem("EventModify of no event handle");
    return 0;
  }
  const uint32_t action = machine_.Argument(1);
  if (action != kEventSet && action != kEventReset) {
    Problem("EventModify with action " + std::to_string(action));
    return 0;
  }
  Event& event = events[handle->second];
  event.signalled = action == kEventSet;
  ++(action == kEventSet ? event.sets : event.resets);
  return 1;
}

bool CoreLibrary::Signalled(uint32_t handle) {
  if (const auto process = processHandles_.find(handle); process != processHandles_.end())
    return started[process->second].ended;
  Event& event = events[eventHandles_.at(handle)];
  const bool signalled = event.signalled;
  if (!event.manualReset) event.signalled = false;
  return signalled;
}

uint32_t CoreLibrary::WaitForSingleObject() {
  const uint32_t handle = machine_.Argument(0), timeout = machine_.Argument(1);
  const auto event = eventHandles_.find(handle);
  if (event == eventHandles_.end() && processHandles_.count(handle) == 0) {
    Problem("WaitForSingleObject of no event or process handle");
    return kWaitFailed;
  }
  const std::u16string name = event != eventHandles_.end() ? event->second : started[processHandles_[handle]].program;
  waits.push_back(name);
  const auto limit = timeout == kInfinite ? std::nullopt : std::optional<uint32_t>(timeout);
  return Block(limit, false, [&] { return Signalled(handle); }, Narrow(name) + ", which nothing will ever set")
             ? kWaitObject0
             : kWaitTimeout;
}

std::optional<uint32_t> CoreLibrary::NextWake(bool wakesOnTimers) const {
  std::optional<uint32_t> next;
  const auto consider = [&](uint32_t at) { next = std::min(next.value_or(at), at); };
  const Happening* happening = setWhileWaiting.empty() ? nullptr : &setWhileWaiting.front();
  if (happening != nullptr && happening->atMs) consider(std::max(*happening->atMs, clockMs));
  for (const auto& [key, timer] : timers_) {
    if (wakesOnTimers) consider(std::max(timer.dueMs, clockMs));
  }
  return next;
}

bool CoreLibrary::Block(std::optional<uint32_t> timeoutMs, bool wakesOnTimers, const std::function<bool()>& ready,
                        const std::string& what) {
  const std::optional<uint32_t> deadline = timeoutMs ? std::optional<uint32_t>(clockMs + *timeoutMs) : std::nullopt;
  if (std::vector<ShownWindow> shown = Screen(); screensSeen.empty() || screensSeen.back() != shown)
    screensSeen.push_back(std::move(shown));
  for (;;) {
    if (ready()) return true;
    if (deadline && clockMs >= *deadline) return false;
    if (!setWhileWaiting.empty() && !setWhileWaiting.front().atMs) {
      // It takes what is left of a timed wait.
      const Happening next = setWhileWaiting.front();
      setWhileWaiting.pop_front();
      Happen(next);
      if (deadline) return ready();
      continue;
    }
    std::optional<uint32_t> wake = NextWake(wakesOnTimers);
    if (deadline) wake = std::min(wake.value_or(*deadline), *deadline);
    if (!wake || (setWhileWaiting.empty() && *wake > lastHappeningMs_ + idleLimitMs))
      throw std::runtime_error("waits on " + what);
    clockMs = *wake;
    while (!setWhileWaiting.empty() && setWhileWaiting.front().atMs && *setWhileWaiting.front().atMs <= clockMs) {
      const Happening next = setWhileWaiting.front();
      setWhileWaiting.pop_front();
      Happen(next);
    }
  }
}

void CoreLibrary::Happen(const Happening& happening) {
  lastHappeningMs_ = clockMs;
  switch (happening.kind) {
    case Happening::Kind::SetEvent:
      if (const auto event = events.find(happening.text); event != events.end()) {
        event->second.signalled = true;
        ++event->second.sets;
      }
      return;
    case Happening::Kind::Hold:
      // The press goes to the parent, as a static control passes it on.
      if (const uint32_t control = ControlWithId(happening.controlId, false)) {
        const Rect& r = windows[control].rect;
        const uint32_t x = static_cast<uint32_t>(r.left + r.right) / 2, y = static_cast<uint32_t>(r.top + r.bottom) / 2;
        constexpr uint32_t kLeftButton = 0x0001;  // MK_LBUTTON
        Post(windows[control].parent, kWmLButtonDown, kLeftButton, (x & 0xFFFF) | y << 16);
      }
      return;
    case Happening::Kind::Button:
      PressButton(happening.controlId);
      return;
    case Happening::Kind::OtherWindow:
      OtherProgramInFront();
      return;
    case Happening::Kind::EndProcess:
      for (auto process = started.rbegin(); process != started.rend(); ++process) {
        if (Lower(process->program) == Lower(happening.text) && !process->ended) {
          process->ended = true;
          process->exitCode = happening.exitCode;
          return;
        }
      }
      Problem("the script ends " + Narrow(happening.text) + ", which is not running");
      return;
    case Happening::Kind::Tap:
      if (const uint32_t control = ControlWithId(happening.controlId, true)) {
        Window& window = windows[control];
        if (happening.item >= static_cast<int32_t>(window.items.size())) {
          Problem("the script taps entry " + std::to_string(happening.item) + " of a list of " +
                  std::to_string(window.items.size()));
          return;
        }
        if (happening.item >= 0) window.selection = happening.item;
        Post(window.parent, kWmCommand, happening.controlId | static_cast<uint32_t>(happening.notification) << 16,
             control);
      }
      return;
    case Happening::Kind::Type:
      if (const uint32_t control = ControlWithId(happening.controlId, true)) {
        const uint32_t mark = systemUsed_;
        const std::u16string text = happening.text + u'\0';
        Send(control, kWmSetText, 0, PushSystem(text.data(), 2 * text.size()));
        systemUsed_ = mark;
      }
      return;
  }
}

uint32_t CoreLibrary::CloseHandle() {
  const uint32_t handle = machine_.Argument(0);
  if (const auto event = eventHandles_.find(handle); event != eventHandles_.end()) {
    // The event goes with its last handle.
    if (--events[event->second].handles == 0) events.erase(event->second);
    eventHandles_.erase(event);
    return 1;
  }
  if (processHandles_.erase(handle) == 1 || threadHandles_.erase(handle) == 1 || CloseFile(handle)) return 1;
  Problem("CloseHandle of " + std::to_string(handle) + ", no open handle");
  return 0;
}

uint32_t CoreLibrary::CreateProcessW() {
  const uint32_t program = machine_.Argument(0), commandLine = machine_.Argument(1);
  const uint32_t startupInfo = machine_.Argument(8);
  uint32_t processInfo = machine_.Argument(9);
  const std::u16string path = program ? machine_.ReadWide(program) : u"";
  if (files_.count(Lower(path)) == 0) return 0;
  started.push_back({path, commandLine ? machine_.ReadWide(commandLine) : u"", startupInfo != 0});
  // hProcess, hThread, process and thread ids.
  const uint32_t process = NewHandle(), thread = NewHandle();
  processHandles_[process] = started.size() - 1;
  threadHandles_[thread] = true;
  for (uint32_t value : {process, thread, process, thread}) {
    machine_.WriteU32(processInfo, value);
    processInfo += 4;
  }
  return 1;
}

uint32_t CoreLibrary::GetExitCodeProcess() {
  const auto process = processHandles_.find(machine_.Argument(0));
  if (process == processHandles_.end() || machine_.Argument(1) == 0) {
    Problem("GetExitCodeProcess of no process handle or without a place for the code");
    return 0;
  }
  const StartedProcess& running = started[process->second];
  machine_.WriteU32(machine_.Argument(1), running.ended ? running.exitCode : kStillActive);
  return 1;
}

}  // namespace arm_device_test
