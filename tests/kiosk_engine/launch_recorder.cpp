// An application for the kiosk to start: appends its command line, one line
// a run, to launches.txt next to itself. With "stay" in its command line it
// shows a window and runs until it is ended. The engine starts programs as a
// device does, with the parameters alone as the command line, so the whole
// command line is taken (WinMain's would lose its first word).
// With BC_LAUNCH_LOG set (inherited through the engine), copies of it in
// several folders write their own path and command line to that one file,
// and each stays, as a device's applications run until they are ended.
#include <windows.h>

#include <fstream>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const std::string commandLine = GetCommandLineA();
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  char sharedLog[MAX_PATH] = {};
  const bool shared = GetEnvironmentVariableA("BC_LAUNCH_LOG", sharedLog, MAX_PATH) > 0;
  const std::string self = path;
  if (shared)
    std::ofstream(sharedLog, std::ios::app) << self << "|" << commandLine << "\n";
  else
    std::ofstream(self.substr(0, self.find_last_of('\\')) + "\\launches.txt", std::ios::app) << commandLine << "\n";
  if (!shared && commandLine.find("stay") == std::string::npos) return 0;
  CreateWindowExA(0, "STATIC", "launched application", WS_POPUP | WS_VISIBLE | WS_BORDER, 0, 0, 200, 200, nullptr,
                  nullptr, nullptr, nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}
