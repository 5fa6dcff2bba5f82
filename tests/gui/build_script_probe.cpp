// Run by a test package script: writes how the builder asked its parent, the
// script's command interpreter, to show its window: "<startup flags> <show state>".
#include <windows.h>
#include <winternl.h>

#include <cstddef>
#include <cstdio>

namespace {

// Where RTL_USER_PROCESS_PARAMETERS keeps the STARTUPINFO flags and show state.
#ifdef _WIN64
constexpr std::size_t kWindowFlagsOffset = 0xA4;
#else
constexpr std::size_t kWindowFlagsOffset = 0x68;
#endif

bool ParentStartup(ULONG (&fields)[2]) {
  PROCESS_BASIC_INFORMATION self{};
  if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &self, sizeof self, nullptr) != 0) {
    return false;
  }
  const auto parentId = static_cast<DWORD>(self.InheritedFromUniqueProcessId);
  HANDLE parent = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, parentId);
  if (!parent) return false;
  PROCESS_BASIC_INFORMATION info{};
  PEB peb{};
  const bool read =
      NtQueryInformationProcess(parent, ProcessBasicInformation, &info, sizeof info, nullptr) == 0 &&
      ReadProcessMemory(parent, info.PebBaseAddress, &peb, sizeof peb, nullptr) &&
      ReadProcessMemory(parent, reinterpret_cast<const char*>(peb.ProcessParameters) + kWindowFlagsOffset, fields,
                        sizeof fields, nullptr);
  CloseHandle(parent);
  return read;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  ULONG fields[2] = {};
  if (!ParentStartup(fields)) return 1;
  FILE* report = std::fopen(argv[1], "w");
  if (!report) return 1;
  std::fprintf(report, "%lu %lu", fields[0], fields[1]);
  std::fclose(report);
  return 0;
}
