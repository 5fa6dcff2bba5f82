#pragma once
// A small coredll.dll of ours for the emulated device: the functions the
// modules import, each under its own ordinal, as stubs that hand the call to
// this object. It keeps what a test checks afterwards: the heap's blocks, the
// named events and their handles, the files, the questions asked and the
// programs started. Like the device's, it takes no misuse: a bad handle, an
// argument CE wants null, a wait that nothing will ever end are problems.
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tests/arm_device/arm_machine.h"

namespace arm_device_test {

struct Event {
  bool manualReset = false;
  bool signalled = false;
  int sets = 0;     // EventModify(EVENT_SET) calls
  int resets = 0;   // EventModify(EVENT_RESET) calls
  int handles = 0;  // open handles, the holder's included
};

struct WrittenFile {
  std::u16string path;
  std::string bytes;  // as they were when its handle was closed
  bool operator==(const WrittenFile&) const = default;
};

struct EventCreation {
  std::u16string name;
  bool manualReset = false;
  bool initiallySet = false;
  bool operator==(const EventCreation&) const = default;
};

struct Question {
  std::u16string text;
  std::u16string caption;
  uint32_t type = 0;
};

struct StartedProcess {
  std::u16string program;
  std::u16string commandLine;
  bool startupInfo = false;  // CE takes none
};

class CoreLibrary {
 public:
  explicit CoreLibrary(ArmMachine& machine);

  // The stub's address of an export, nothing when this coredll lacks it.
  std::optional<uint32_t> Resolve(uint16_t ordinal) const;

  // What a test sets up: files by their device path, a named event that some
  // other process (the engine) holds, the answers to the questions in order,
  // the running program's path and base, the events other programs set (one
  // each time the module waits for an event that is not set), and the names
  // of events that CreateEventW refuses.
  void PutFile(const std::u16string& path, std::string bytes);
  void HoldEvent(const std::u16string& name);
  std::deque<int> answers;
  std::u16string modulePath;
  uint32_t moduleBase = 0;
  std::deque<std::u16string> setWhileWaiting;
  std::vector<std::u16string> refusedEvents;
  // A LocalAlloc block holding bytes, as the Remote API service hands its input over.
  uint32_t Allocate(const std::vector<uint8_t>& bytes);

  // What the calls did.
  std::map<std::u16string, Event> events;
  std::vector<EventCreation> creations;
  int filesOpened = 0;
  std::vector<std::u16string> filesRead;       // opened for reading by CreateFileW, in order
  std::vector<WrittenFile> filesWritten;       // each writing handle's file when closed, in order
  std::vector<std::u16string> waits;           // the events waited on, each time
  std::vector<Question> questions;
  std::vector<StartedProcess> started;
  std::vector<std::string> problems;  // misuse of a function: a bad handle, an unanswered question
  std::map<uint32_t, uint32_t> blocks;  // the live LocalAlloc blocks: address, size
  uint32_t sleptMs = 0;
  // Handles the modules hold: events, processes, threads and open files.
  size_t OpenHandles() const { return eventHandles_.size() + otherHandles_.size() + openFiles_.size(); }

 private:
  struct OpenFile {
    std::string bytes;
    size_t position = 0;
    std::u16string path;  // CreateFileW's; fopen's file has none
    bool writable = false;
  };
  uint32_t Dispatch(uint16_t ordinal);
  uint32_t LocalAlloc();
  uint32_t Allocate(uint32_t flags, uint32_t size);
  uint32_t LocalFree();
  uint32_t WideCharToMultiByte();
  uint32_t CreateEventW();
  uint32_t EventModify();
  uint32_t WaitForSingleObject();
  uint32_t GetModuleFileNameW();
  uint32_t CreateFileW();
  uint32_t ReadFile();
  uint32_t WriteFile();
  bool CloseFile(uint32_t handle);
  OpenFile* FileOf(uint32_t handle, const char* call, bool write);
  static std::u16string Lower(std::u16string text);
  uint32_t CloseHandle();
  uint32_t MessageBoxW();
  uint32_t CreateProcessW();
  uint32_t Fopen();
  uint32_t Fread();
  uint32_t Fclose();
  uint32_t Strcmp();
  uint32_t Memset();
  uint32_t Memcpy();
  uint32_t NewHandle();
  void Problem(const std::string& what) { problems.push_back(what); }

  ArmMachine& machine_;
  std::map<std::u16string, std::string> files_;  // by the path in lower case: CE ignores case
  uint32_t heapUsed_ = 0;
  uint32_t nextHandle_ = 0x100;
  std::map<uint32_t, std::u16string> eventHandles_;  // handle: event name
  std::map<uint32_t, bool> otherHandles_;
  std::map<uint32_t, OpenFile> openFiles_;
};

}  // namespace arm_device_test
