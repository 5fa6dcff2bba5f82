#include "tests/arm_device/core_library.h"

#include <algorithm>
#include <iterator>
#include <numeric>
#include <stdexcept>

namespace arm_device_test {

namespace {

constexpr uint32_t kStubSize = 8;
constexpr uint32_t kBxLr = 0xE12FFF1E;
constexpr uint32_t kSvc = 0xEF000000;
constexpr uint32_t kZeroInit = 0x40;  // LMEM_ZEROINIT, part of LPTR
constexpr uint32_t kIdNo = 7;
constexpr uint32_t kShellService = 0x10000;  // aygshell's one stub

}  // namespace

// The exports this coredll has, by the ordinals of coredll.def in the CE
// sources. Written down here on their own, so that a wrong number in the
// modules' table fails to load rather than agreeing with itself. Stub i
// serves kExports[i].
const CoreLibrary::Export CoreLibrary::kExports[] = {
    {33, &CoreLibrary::LocalAlloc},
    {36, &CoreLibrary::LocalFree},
    {95, &CoreLibrary::RegisterClassW},
    {168, &CoreLibrary::CreateFileW},
    {170, &CoreLibrary::ReadFile},
    {171, &CoreLibrary::WriteFile},
    {197, &CoreLibrary::WideCharToMultiByte},
    {246, &CoreLibrary::CreateWindowExW},
    {247, &CoreLibrary::SetWindowPos},
    {249, &CoreLibrary::GetClientRect},
    {250, &CoreLibrary::InvalidateRect},
    {256, &CoreLibrary::SetWindowTextW},
    {257, &CoreLibrary::GetWindowTextW},
    {260, &CoreLibrary::BeginPaint},
    {261, &CoreLibrary::EndPaint},
    {262, &CoreLibrary::GetDC},
    {263, &CoreLibrary::ReleaseDC},
    {264, &CoreLibrary::DefWindowProcW},
    {265, &CoreLibrary::DestroyWindow},
    {266, &CoreLibrary::ShowWindow},
    {267, &CoreLibrary::UpdateWindow},
    {286, &CoreLibrary::FindWindowW},
    {287, &CoreLibrary::EnableWindow},
    {292, &CoreLibrary::GetWindowThreadProcessId},
    {455, &CoreLibrary::RegCloseKey},
    {461, &CoreLibrary::RegOpenKeyExW},
    {463, &CoreLibrary::RegQueryValueExW},
    {487, &CoreLibrary::ShLoadDiBitmap},
    {493, &CoreLibrary::CreateProcessW},
    {494, &CoreLibrary::EventModify},
    {495, &CoreLibrary::CreateEventW},
    {496, &CoreLibrary::Sleep},
    {497, &CoreLibrary::WaitForSingleObject},
    {519, &CoreLibrary::GetExitCodeProcess},
    {528, &CoreLibrary::LoadLibraryW},
    {529, &CoreLibrary::FreeLibrary},
    {530, &CoreLibrary::GetProcAddressW},
    {535, &CoreLibrary::GetTickCount},
    {537, &CoreLibrary::GetModuleFileNameW},
    {553, &CoreLibrary::CloseHandle},
    {557, &CoreLibrary::KernelIoControl},
    {701, &CoreLibrary::GetForegroundWindow},
    {702, &CoreLibrary::SetForegroundWindow},
    {704, &CoreLibrary::SetFocus},
    {835, &CoreLibrary::RegisterHotKey},
    {836, &CoreLibrary::UnregisterHotKey},
    {858, &CoreLibrary::MessageBoxW},
    {859, &CoreLibrary::DispatchMessageW},
    {861, &CoreLibrary::GetMessageW},
    {864, &CoreLibrary::PeekMessageW},
    {865, &CoreLibrary::PostMessageW},
    {866, &CoreLibrary::PostQuitMessage},
    {868, &CoreLibrary::SendMessageW},
    {870, &CoreLibrary::TranslateMessage},
    {871, &CoreLibrary::MsgWaitForMultipleObjectsEx},
    {875, &CoreLibrary::SetTimer},
    {876, &CoreLibrary::KillTimer},
    {884, &CoreLibrary::UnregisterClassW},
    {885, &CoreLibrary::GetSystemMetrics},
    {895, &CoreLibrary::CreateFontIndirectW},
    {896, &CoreLibrary::ExtTextOutW},
    {903, &CoreLibrary::BitBlt},
    {905, &CoreLibrary::BitBlt},  // StretchBlt
    {910, &CoreLibrary::CreateCompatibleDC},
    {911, &CoreLibrary::DeleteDC},
    {912, &CoreLibrary::DeleteObject},
    {918, &CoreLibrary::GetObjectW},
    {919, &CoreLibrary::GetStockObject},
    {921, &CoreLibrary::SelectObject},
    {922, &CoreLibrary::SetBkColor},
    {923, &CoreLibrary::SetBkMode},
    {924, &CoreLibrary::SetTextColor},
    {931, &CoreLibrary::CreateSolidBrush},
    {935, &CoreLibrary::FillRect},
    {937, &CoreLibrary::GetSysColorBrush},
    {945, &CoreLibrary::DrawTextW},
    {1044, &CoreLibrary::Memcpy},
    {1047, &CoreLibrary::Memset},
    {1065, &CoreLibrary::Strcmp},
    {1113, &CoreLibrary::Fopen},
    {1118, &CoreLibrary::Fclose},
    {1120, &CoreLibrary::Fread},
    {1156, &CoreLibrary::UnregisterFunc1},
    {1582, &CoreLibrary::SetSystemPowerState},
};

std::u16string CoreLibrary::Lower(std::u16string text) {
  for (char16_t& c : text) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return text;
}

CoreLibrary::CoreLibrary(ArmMachine& machine) : machine_(machine) {
  machine_.Map(kCoreLibraryBase, kStubSize * std::size(kExports));
  for (uint32_t i = 0; i < std::size(kExports); ++i) {
    machine_.WriteU32(kCoreLibraryBase + kStubSize * i, kSvc | i);
    machine_.WriteU32(kCoreLibraryBase + kStubSize * i + 4, kBxLr);
  }
  machine_.Map(kShellLibraryBase, kStubSize);
  machine_.WriteU32(kShellLibraryBase, kSvc | kShellService);
  machine_.WriteU32(kShellLibraryBase + 4, kBxLr);
  machine_.Map(kSystemBase, kSystemSize);
  machine_.OnService([this](uint32_t service) { return Dispatch(service); });
}

std::optional<uint32_t> CoreLibrary::Resolve(uint16_t ordinal) const {
  for (uint32_t i = 0; i < std::size(kExports); ++i) {
    if (kExports[i].ordinal == ordinal) return kCoreLibraryBase + kStubSize * i;
  }
  return std::nullopt;
}

uint32_t CoreLibrary::Dispatch(uint32_t service) {
  if (service == kShellService) return ShFullScreen();
  if (service >= std::size(kExports)) throw std::runtime_error("service call of no stub");
  return (this->*kExports[service].function)();
}

void CoreLibrary::PutFile(const std::u16string& path, std::string bytes) { files_[Lower(path)] = std::move(bytes); }

void CoreLibrary::HoldEvent(const std::u16string& name) {
  Event& event = events[name];
  event.manualReset = true;
  ++event.handles;
}

uint32_t CoreLibrary::NewHandle() { return nextHandle_ += 4; }

size_t CoreLibrary::OpenHandles() const {
  return eventHandles_.size() + processHandles_.size() + threadHandles_.size() + openFiles_.size() +
         openKeys_.size() +
         std::accumulate(libraryLoads_.begin(), libraryLoads_.end(), size_t{0},
                         [](size_t sum, const auto& library) { return sum + library.second; });
}

uint32_t CoreLibrary::Sleep() {
  const uint32_t ms = machine_.Argument(0);
  sleptMs += ms;
  clockMs += ms;
  return 0;
}

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
