#pragma once
// An ARM processor as the device's modules see it, on the Unicorn emulator:
// memory, the calling convention of Windows CE on ARM, and the service calls
// through which our core library's stubs reach the test.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct uc_struct;

namespace arm_device_test {

// The emulated address space: where the test places what it needs.
inline constexpr uint32_t kStackBase = 0x00100000;
inline constexpr uint32_t kStackSize = 0x10000;
inline constexpr uint32_t kCoreLibraryBase = 0x01000000;  // the stubs
inline constexpr uint32_t kHeapBase = 0x02000000;         // LocalAlloc's blocks
inline constexpr uint32_t kHeapSize = 0x100000;
inline constexpr uint32_t kScratchBase = 0x03000000;  // the test's own arguments
inline constexpr uint32_t kScratchSize = 0x10000;
inline constexpr uint32_t kReturnAddress = 0x04000000;  // a call ends when it returns here

// Page access, as the CE loader gives a section's pages: the values of
// Unicorn's UC_PROT_* flags.
inline constexpr uint32_t kPageRead = 1, kPageWrite = 2, kPageExecute = 4;
inline constexpr uint32_t kPageSize = 0x1000;
constexpr uint32_t PageUp(uint32_t size) { return (size + kPageSize - 1) / kPageSize * kPageSize; }

// What a call left behind: its result, and how it broke the convention.
struct CallResult {
  uint32_t r0 = 0;
  std::vector<std::string> problems;  // a register the callee must keep, a fault, no return
};

class ArmMachine {
 public:
  ArmMachine();
  ~ArmMachine();
  ArmMachine(const ArmMachine&) = delete;
  ArmMachine& operator=(const ArmMachine&) = delete;

  // Pages that allow every access, for the test's own code and data.
  void Map(uint32_t address, uint32_t size);
  // Pages that allow only the kPage* access bits given; a call that breaks
  // that ends with a problem naming the address and what is mapped there.
  void Map(uint32_t address, uint32_t size, uint32_t access, const std::string& name);
  // The kPage* access bits of the page that holds address; throws when none does.
  uint32_t AccessAt(uint32_t address) const;
  void Write(uint32_t address, const void* bytes, size_t size);
  void Read(uint32_t address, void* bytes, size_t size) const;
  uint32_t ReadU32(uint32_t address) const;
  void WriteU32(uint32_t address, uint32_t value);
  std::string ReadNarrow(uint32_t address) const;       // up to its zero byte
  std::u16string ReadWide(uint32_t address) const;      // up to its zero unit
  std::vector<uint8_t> ReadBytes(uint32_t address, size_t size) const;

  // Room in the scratch area for the test's own arguments, zero-filled.
  uint32_t Scratch(size_t size);
  uint32_t ScratchWide(const std::u16string& text);

  // Calls the ARM-state function at address as CE does: the first four
  // arguments in R0-R3, the rest on the stack, the return address in LR.
  // R4-R11 and SP must come back unchanged. A service call may call again
  // (coredll calling a window procedure back).
  CallResult Call(uint32_t address, const std::vector<uint32_t>& arguments);

  // The n-th 32-bit argument of the service call in progress (0: R0).
  uint32_t Argument(unsigned n) const;
  // Service calls: SVC #number, answered by the handler, whose result goes to R0.
  void OnService(std::function<uint32_t(uint32_t number)> handler) { service_ = std::move(handler); }

 private:
  struct NamedPages {
    uint32_t begin, end;
    std::string name;
  };
  static void ServiceHook(uc_struct* uc, uint32_t interrupt, void* self);
  static bool AccessHook(uc_struct* uc, int type, uint64_t address, int size, int64_t value, void* self);
  CallResult Run(uint32_t address, const std::vector<uint32_t>& arguments, uint32_t stackTop);
  uint32_t Register(int id) const;
  void SetRegister(int id, uint32_t value);

  uc_struct* uc_ = nullptr;
  uint32_t scratchUsed_ = 0;
  std::function<uint32_t(uint32_t)> service_;
  std::vector<std::string>* callProblems_ = nullptr;
  std::vector<NamedPages> named_;
};

}  // namespace arm_device_test
