#include "tests/arm_device/arm_machine.h"

#include <unicorn/unicorn.h>

#include <cstdio>
#include <optional>
#include <stdexcept>

namespace arm_device_test {

namespace {

constexpr uint64_t kCallTimeoutUs = 60'000'000;  // a hang's bound, not a speed limit
constexpr uint32_t kSoftwareInterrupt = 2;  // Unicorn's EXCP_SWI for ARM
constexpr int kCalleeSaved[] = {UC_ARM_REG_R4, UC_ARM_REG_R5, UC_ARM_REG_R6,  UC_ARM_REG_R7,
                                UC_ARM_REG_R8, UC_ARM_REG_R9, UC_ARM_REG_R10, UC_ARM_REG_R11};
constexpr int kAllRegisters[] = {UC_ARM_REG_R0,  UC_ARM_REG_R1,  UC_ARM_REG_R2,  UC_ARM_REG_R3, UC_ARM_REG_R4,
                                 UC_ARM_REG_R5,  UC_ARM_REG_R6,  UC_ARM_REG_R7,  UC_ARM_REG_R8, UC_ARM_REG_R9,
                                 UC_ARM_REG_R10, UC_ARM_REG_R11, UC_ARM_REG_R12, UC_ARM_REG_SP, UC_ARM_REG_LR,
                                 UC_ARM_REG_PC,  UC_ARM_REG_CPSR};

// How an access breaks its page's protection, as Unicorn reports it.
struct Breach {
  int type;
  const char* access;
  const char* lacking;
};
constexpr Breach kBreaches[] = {{UC_MEM_WRITE_PROT, "write to", "writable"},
                                {UC_MEM_READ_PROT, "read of", "readable"},
                                {UC_MEM_FETCH_PROT, "instruction fetched from", "executable"}};

std::string Hex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08x", value);
  return text;
}

void Check(uc_err error, const char* what) {
  if (error != UC_ERR_OK) throw std::runtime_error(std::string(what) + ": " + uc_strerror(error));
}

}  // namespace

ArmMachine::ArmMachine() {
  Check(uc_open(UC_ARCH_ARM, UC_MODE_ARM, &uc_), "uc_open");
  // An ARM9 core: ARMv5TE, as in the XScale and ARM9 devices of Pocket PC 2003.
  Check(uc_ctl_set_cpu_model(uc_, UC_CPU_ARM_926), "cpu model");
  // Stricter than an ARMv5 core, which cannot forbid execution: a jump onto
  // the stack or the heap is a fault here.
  Map(kStackBase, kStackSize, kPageRead | kPageWrite, "the stack");
  Map(kHeapBase, kHeapSize, kPageRead | kPageWrite, "the heap");
  Map(kScratchBase, kScratchSize, kPageRead | kPageWrite, "the test's arguments");
  Map(kReturnAddress, kPageSize);
  uc_hook hook;
  Check(uc_hook_add(uc_, &hook, UC_HOOK_INTR, reinterpret_cast<void*>(&ServiceHook), this, 1, 0), "hook");
  Check(uc_hook_add(uc_, &hook, UC_HOOK_MEM_PROT, reinterpret_cast<void*>(&AccessHook), this, 1, 0), "hook");
}

ArmMachine::~ArmMachine() { uc_close(uc_); }

void ArmMachine::Map(uint32_t address, uint32_t size) { Map(address, size, UC_PROT_ALL, "the test's pages"); }

void ArmMachine::Map(uint32_t address, uint32_t size, uint32_t access, const std::string& name) {
  Check(uc_mem_map(uc_, address, PageUp(size), access), "uc_mem_map");
  named_.push_back({address, address + PageUp(size), name});
}

uint32_t ArmMachine::AccessAt(uint32_t address) const {
  uc_mem_region* regions = nullptr;
  uint32_t count = 0;
  Check(uc_mem_regions(uc_, &regions, &count), "uc_mem_regions");
  std::optional<uint32_t> access;
  for (uint32_t i = 0; i < count; ++i) {
    if (address >= regions[i].begin && address <= regions[i].end) access = regions[i].perms;
  }
  uc_free(regions);
  if (!access) throw std::runtime_error("nothing is mapped at " + Hex(address));
  return *access;
}

void ArmMachine::Write(uint32_t address, const void* bytes, size_t size) {
  Check(uc_mem_write(uc_, address, bytes, size), "uc_mem_write");
}

void ArmMachine::Read(uint32_t address, void* bytes, size_t size) const {
  Check(uc_mem_read(uc_, address, bytes, size), "uc_mem_read");
}

uint32_t ArmMachine::ReadU32(uint32_t address) const {
  uint8_t bytes[4];
  Read(address, bytes, 4);
  return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

void ArmMachine::WriteU32(uint32_t address, uint32_t value) {
  const uint8_t bytes[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                            static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
  Write(address, bytes, 4);
}

std::vector<uint8_t> ArmMachine::ReadBytes(uint32_t address, size_t size) const {
  std::vector<uint8_t> bytes(size);
  if (size > 0) Read(address, bytes.data(), size);
  return bytes;
}

std::string ArmMachine::ReadNarrow(uint32_t address) const {
  std::string text;
  for (char c; Read(address++, &c, 1), c != '\0';) text += c;
  return text;
}

std::u16string ArmMachine::ReadWide(uint32_t address) const {
  std::u16string text;
  for (uint8_t unit[2]; Read(address, unit, 2), (unit[0] | unit[1]) != 0; address += 2)
    text += static_cast<char16_t>(unit[0] | unit[1] << 8);
  return text;
}

uint32_t ArmMachine::Scratch(size_t size) {
  const uint32_t at = kScratchBase + scratchUsed_;
  scratchUsed_ += static_cast<uint32_t>((size + 7) / 8 * 8);
  if (scratchUsed_ > kScratchSize) throw std::runtime_error("scratch area full");
  return at;
}

uint32_t ArmMachine::ScratchWide(const std::u16string& text) {
  const uint32_t at = Scratch(2 * (text.size() + 1));
  for (size_t i = 0; i < text.size(); ++i) {
    const uint8_t unit[2] = {static_cast<uint8_t>(text[i]), static_cast<uint8_t>(text[i] >> 8)};
    Write(at + static_cast<uint32_t>(2 * i), unit, 2);
  }
  return at;
}

uint32_t ArmMachine::Register(int id) const {
  uint32_t value = 0;
  Check(uc_reg_read(uc_, id, &value), "uc_reg_read");
  return value;
}

void ArmMachine::SetRegister(int id, uint32_t value) { Check(uc_reg_write(uc_, id, &value), "uc_reg_write"); }

uint32_t ArmMachine::Argument(unsigned n) const {
  return n < 4 ? Register(UC_ARM_REG_R0 + static_cast<int>(n)) : ReadU32(Register(UC_ARM_REG_SP) + 4 * (n - 4));
}

void ArmMachine::ServiceHook(uc_struct* uc, uint32_t interrupt, void* self) {
  auto* machine = static_cast<ArmMachine*>(self);
  if (interrupt != kSoftwareInterrupt || !machine->service_) {
    machine->callProblems_->push_back("unexpected interrupt " + std::to_string(interrupt));
    uc_emu_stop(uc);
    return;
  }
  // PC is past the SVC instruction, whose low 24 bits carry the number.
  const uint32_t number = machine->ReadU32(machine->Register(UC_ARM_REG_PC) - 4) & 0xFFFFFF;
  try {
    machine->SetRegister(UC_ARM_REG_R0, machine->service_(number));
  } catch (const std::exception& e) {
    machine->callProblems_->push_back(e.what());
    uc_emu_stop(uc);
  }
}

// Unicorn writes the loader's own bytes whatever the protection (uc_mem_write);
// only the emulated code's accesses come here.
bool ArmMachine::AccessHook(uc_struct*, int type, uint64_t address, int, int64_t, void* self) {
  auto* machine = static_cast<ArmMachine*>(self);
  const auto at = static_cast<uint32_t>(address);
  std::string where = "unnamed pages";
  for (const NamedPages& pages : machine->named_) {
    if (at >= pages.begin && at < pages.end) where = pages.name;
  }
  for (const Breach& breach : kBreaches) {
    if (breach.type == type && machine->callProblems_)
      machine->callProblems_->push_back(std::string(breach.access) + " " + Hex(at) + " in " + where + ", which is not " +
                                        breach.lacking);
  }
  return false;  // stops the call
}

CallResult ArmMachine::Call(uint32_t address, const std::vector<uint32_t>& arguments) {
  // Called from a service call (a window procedure that coredll calls back):
  // below the caller's stack, with all of the caller's registers kept.
  const bool nested = callProblems_ != nullptr;
  uint32_t callerRegisters[std::size(kAllRegisters)];
  for (size_t i = 0; nested && i < std::size(kAllRegisters); ++i) callerRegisters[i] = Register(kAllRegisters[i]);
  std::vector<std::string>* callerProblems = callProblems_;
  const uint32_t stackTop = nested ? Register(UC_ARM_REG_SP) : kStackBase + kStackSize;
  CallResult result = Run(address, arguments, stackTop);
  callProblems_ = callerProblems;
  for (size_t i = 0; nested && i < std::size(kAllRegisters); ++i) SetRegister(kAllRegisters[i], callerRegisters[i]);
  return result;
}

CallResult ArmMachine::Run(uint32_t address, const std::vector<uint32_t>& arguments, uint32_t stackTop) {
  CallResult result;
  const uint32_t stackArguments = arguments.size() > 4 ? static_cast<uint32_t>(arguments.size() - 4) : 0;
  // The stack 8-byte aligned at the call, the fifth argument at SP.
  const uint32_t sp = (stackTop - 64 - 4 * stackArguments) & ~7u;
  if (sp < kStackBase + kPageSize) {
    result.problems.push_back("stack overflow: calls nest too deep");
    return result;
  }
  for (uint32_t i = 0; i < arguments.size(); ++i) {
    if (i < 4) {
      SetRegister(UC_ARM_REG_R0 + static_cast<int>(i), arguments[i]);
    } else {
      WriteU32(sp + 4 * (i - 4), arguments[i]);
    }
  }
  uint32_t saved[std::size(kCalleeSaved)];
  for (size_t i = 0; i < std::size(kCalleeSaved); ++i) {
    saved[i] = 0xC0DE0000 | static_cast<uint32_t>(i + 4);
    SetRegister(kCalleeSaved[i], saved[i]);
  }
  SetRegister(UC_ARM_REG_SP, sp);
  SetRegister(UC_ARM_REG_LR, kReturnAddress);
  SetRegister(UC_ARM_REG_CPSR, 0x13);  // supervisor mode, ARM state, interrupts on
  callProblems_ = &result.problems;
  // Unicorn's timeout thread cannot nest: the outermost call's bounds them all.
  const uint64_t timeoutUs = stackTop == kStackBase + kStackSize ? kCallTimeoutUs : 0;
  const uc_err error = uc_emu_start(uc_, address, kReturnAddress, timeoutUs, 0);
  callProblems_ = nullptr;
  const uint32_t pc = Register(UC_ARM_REG_PC);
  if (error != UC_ERR_OK) result.problems.push_back(std::string(uc_strerror(error)) + " at " + Hex(pc));
  if (pc != kReturnAddress) {
    result.problems.push_back("did not return: stopped at " + Hex(pc));
    return result;
  }
  for (size_t i = 0; i < std::size(kCalleeSaved); ++i) {
    if (Register(kCalleeSaved[i]) != saved[i]) result.problems.push_back("R" + std::to_string(i + 4) + " not preserved");
  }
  if (Register(UC_ARM_REG_SP) != sp) result.problems.push_back("SP not restored");
  if (Register(UC_ARM_REG_CPSR) & 0x20) result.problems.push_back("returned in Thumb state");
  result.r0 = Register(UC_ARM_REG_R0);
  return result;
}

}  // namespace arm_device_test
