#include "tests/arm_device/core_library.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

namespace arm_device_test {

namespace {

constexpr uint32_t kStubSize = 8;
constexpr uint32_t kBxLr = 0xE12FFF1E;
constexpr uint32_t kSvc = 0xEF000000;
constexpr uint32_t kZeroInit = 0x40;  // LMEM_ZEROINIT, part of LPTR
constexpr uint32_t kEventReset = 2, kEventSet = 3;
constexpr uint32_t kWaitObject0 = 0, kWaitTimeout = 0x102, kInfinite = 0xFFFFFFFF;
constexpr uint32_t kIdNo = 7;

// The exports this coredll has, by the ordinals of coredll.def in the CE
// sources. Written down here on their own, so that a wrong number in the
// modules' table fails to load rather than agreeing with itself. Stub i
// serves kOrdinals[i].
constexpr uint16_t kOrdinals[] = {33,  36,  168, 170, 171,  197,  493,  494,  495,  496,
                                  497, 537, 553, 858, 1044, 1047, 1065, 1113, 1118, 1120};

std::string Narrow(const std::u16string& text) { return {text.begin(), text.end()}; }

}  // namespace

std::u16string CoreLibrary::Lower(std::u16string text) {
  for (char16_t& c : text) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return text;
}

CoreLibrary::CoreLibrary(ArmMachine& machine) : machine_(machine) {
  machine_.Map(kCoreLibraryBase, kStubSize * std::size(kOrdinals));
  for (uint32_t i = 0; i < std::size(kOrdinals); ++i) {
    machine_.WriteU32(kCoreLibraryBase + kStubSize * i, kSvc | i);
    machine_.WriteU32(kCoreLibraryBase + kStubSize * i + 4, kBxLr);
  }
  machine_.OnService([this](uint32_t index) {
    if (index >= std::size(kOrdinals)) throw std::runtime_error("service call of no stub");
    return Dispatch(kOrdinals[index]);
  });
}

std::optional<uint32_t> CoreLibrary::Resolve(uint16_t ordinal) const {
  for (uint32_t i = 0; i < std::size(kOrdinals); ++i) {
    if (kOrdinals[i] == ordinal) return kCoreLibraryBase + kStubSize * i;
  }
  return std::nullopt;
}

uint32_t CoreLibrary::Dispatch(uint16_t ordinal) {
  switch (ordinal) {
    case 33: return LocalAlloc();
    case 36: return LocalFree();
    case 168: return CreateFileW();
    case 170: return ReadFile();
    case 171: return WriteFile();
    case 197: return WideCharToMultiByte();
    case 493: return CreateProcessW();
    case 494: return EventModify();
    case 495: return CreateEventW();
    case 496:  // Sleep
      sleptMs += machine_.Argument(0);
      return 0;
    case 497: return WaitForSingleObject();
    case 537: return GetModuleFileNameW();
    case 553: return CloseHandle();
    case 858: return MessageBoxW();
    case 1044: return Memcpy();
    case 1047: return Memset();
    case 1065: return Strcmp();
    case 1113: return Fopen();
    case 1118: return Fclose();
    case 1120: return Fread();
  }
  throw std::runtime_error("no function for ordinal " + std::to_string(ordinal));
}

void CoreLibrary::PutFile(const std::u16string& path, std::string bytes) { files_[Lower(path)] = std::move(bytes); }

void CoreLibrary::HoldEvent(const std::u16string& name) {
  Event& event = events[name];
  event.manualReset = true;
  ++event.handles;
}

uint32_t CoreLibrary::NewHandle() { return nextHandle_ += 4; }

uint32_t CoreLibrary::Allocate(const std::vector<uint8_t>& bytes) {
  const uint32_t block = Allocate(0, static_cast<uint32_t>(bytes.size()));
  if (!bytes.empty()) machine_.Write(block, bytes.data(), bytes.size());
  return block;
}

uint32_t CoreLibrary::LocalAlloc() { return Allocate(machine_.Argument(0), machine_.Argument(1)); }

uint32_t CoreLibrary::Allocate(uint32_t flags, uint32_t size) {
  const uint32_t rounded = (size + 7) / 8 * 8;
  if (heapUsed_ + rounded + 8 > kHeapSize) return 0;
  // A gap after each block, so that a write past its end lands on no other.
  const uint32_t block = kHeapBase + heapUsed_;
  heapUsed_ += rounded + 8;
  if (flags & kZeroInit) machine_.Write(block, std::string(size, '\0').data(), size);
  blocks[block] = size;
  return block;
}

uint32_t CoreLibrary::LocalFree() {
  const uint32_t block = machine_.Argument(0);
  // NULL on success, the block itself when it is none of ours.
  if (blocks.erase(block) == 1) return 0;
  Problem("LocalFree of " + std::to_string(block) + ", no live block");
  return block;
}

uint32_t CoreLibrary::WideCharToMultiByte() {
  const uint32_t source = machine_.Argument(2), out = machine_.Argument(4), outSize = machine_.Argument(5);
  const auto count = static_cast<int32_t>(machine_.Argument(3));
  std::u16string units;
  if (count < 0) {
    units = machine_.ReadWide(source) + u'\0';
  } else {
    for (int32_t i = 0; i < count; ++i) {
      uint8_t unit[2];
      machine_.Read(source + 2 * static_cast<uint32_t>(i), unit, 2);
      units += static_cast<char16_t>(unit[0] | unit[1] << 8);
    }
  }
  if (outSize == 0) return static_cast<uint32_t>(units.size());
  if (units.size() > outSize) return 0;
  std::string bytes;
  for (char16_t unit : units) bytes += unit < 0x80 ? static_cast<char>(unit) : '?';
  machine_.Write(out, bytes.data(), bytes.size());
  return static_cast<uint32_t>(bytes.size());
}

uint32_t CoreLibrary::CreateEventW() {
  const uint32_t manualReset = machine_.Argument(1), initial = machine_.Argument(2), name = machine_.Argument(3);
  const std::u16string key = name ? machine_.ReadWide(name) : u"<unnamed " + std::u16string(1, u'0' + events.size()) + u">";
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

uint32_t CoreLibrary::WaitForSingleObject() {
  const uint32_t timeout = machine_.Argument(1);
  const auto handle = eventHandles_.find(machine_.Argument(0));
  if (handle == eventHandles_.end()) {
    Problem("WaitForSingleObject of no event handle");
    return static_cast<uint32_t>(-1);  // WAIT_FAILED
  }
  const std::u16string& name = handle->second;
  waits.push_back(name);
  // Time passes only while a wait blocks: then the next program signals.
  while (!events[name].signalled && timeout != 0) {
    if (setWhileWaiting.empty())
      throw std::runtime_error("waits on " + Narrow(name) + ", which nothing will ever set");
    const std::u16string setter = setWhileWaiting.front();
    setWhileWaiting.pop_front();
    if (const auto event = events.find(setter); event != events.end()) {
      event->second.signalled = true;
      ++event->second.sets;
    }
    if (timeout != kInfinite) break;
  }
  return events[name].signalled ? kWaitObject0 : kWaitTimeout;
}

uint32_t CoreLibrary::CloseHandle() {
  const uint32_t handle = machine_.Argument(0);
  if (const auto event = eventHandles_.find(handle); event != eventHandles_.end()) {
    // The event goes with its last handle.
    if (--events[event->second].handles == 0) events.erase(event->second);
    eventHandles_.erase(event);
    return 1;
  }
  if (otherHandles_.erase(handle) == 1 || CloseFile(handle)) return 1;
  Problem("CloseHandle of " + std::to_string(handle) + ", no open handle");
  return 0;
}

uint32_t CoreLibrary::MessageBoxW() {
  questions.push_back({machine_.ReadWide(machine_.Argument(1)), machine_.ReadWide(machine_.Argument(2)),
                       machine_.Argument(3)});
  if (answers.empty()) {
    Problem("a question nobody answers");
    return kIdNo;
  }
  const int answer = answers.front();
  answers.pop_front();
  return static_cast<uint32_t>(answer);
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
  otherHandles_[process] = otherHandles_[thread] = true;
  for (uint32_t value : {process, thread, process, thread}) {
    machine_.WriteU32(processInfo, value);
    processInfo += 4;
  }
  return 1;
}

uint32_t CoreLibrary::Strcmp() {
  const std::string a = machine_.ReadNarrow(machine_.Argument(0)), b = machine_.ReadNarrow(machine_.Argument(1));
  return static_cast<uint32_t>(a.compare(b) < 0 ? -1 : a.compare(b) > 0 ? 1 : 0);
}

uint32_t CoreLibrary::Memset() {
  const uint32_t target = machine_.Argument(0), size = machine_.Argument(2);
  const std::string fill(size, static_cast<char>(machine_.Argument(1)));
  machine_.Write(target, fill.data(), size);
  return target;
}

uint32_t CoreLibrary::Memcpy() {
  const uint32_t target = machine_.Argument(0), size = machine_.Argument(2);
  const std::vector<uint8_t> bytes = machine_.ReadBytes(machine_.Argument(1), size);
  if (size > 0) machine_.Write(target, bytes.data(), size);
  return target;
}

}  // namespace arm_device_test
