// The emulated device's Remote API service: a console program that runs in
// the device's own Wine prefix (its C:\Windows is the device's \Windows) and
// serves rapi.dll's requests on 127.0.0.1.
//
//   emulated_device.exe [--port N] [--port-file PATH] [--log PATH] [--deny-all]
//
// --port: 0 takes any free port; default BC_DEVICE_PORT, else 27990.
// --port-file: the port actually taken is written there once it listens.
// --log: one line per call. --deny-all: the security policy refuses every call
// (as does a file \Windows\rapi-deny-all; \Windows\rapi-unplugged drops every
// connection unanswered).
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "standins/emulated_device/device_calls.h"
#include "standins/rapi_wire/socket_channel.h"

namespace emulated_device = standins::emulated_device;
namespace rapi_wire = standins::rapi_wire;

namespace {

using emulated_device::DeviceCalls;

struct Options {
  uint16_t port = rapi_wire::DevicePort(std::getenv("BC_DEVICE_PORT"));
  std::wstring portFile;
  emulated_device::DeviceSettings settings;
};

std::optional<Options> ParseOptions() {
  int count = 0;
  wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
  Options options;
  bool ok = args != nullptr;
  for (int i = 1; ok && i < count; ++i) {
    const std::wstring name = args[i];
    const bool hasValue = i + 1 < count;
    if (name == L"--deny-all") {
      options.settings.denyAll = true;
    } else if (name == L"--port" && hasValue) {
      const std::wstring value = args[++i];
      const auto port = rapi_wire::ParsePort(std::string(value.begin(), value.end()));
      ok = port.has_value();
      if (port) options.port = *port;
    } else if (name == L"--port-file" && hasValue) {
      options.portFile = args[++i];
    } else if (name == L"--log" && hasValue) {
      options.settings.callLog = args[++i];
    } else {
      ok = false;
    }
  }
  LocalFree(args);
  return ok ? std::optional(options) : std::nullopt;
}

struct Connection {
  DeviceCalls* calls;
  rapi_wire::Channel channel;
};

// Serves one desktop until it goes away; a desktop that vanishes mid-call
// only ends its own connection.
DWORD WINAPI Serve(void* parameter) {
  std::unique_ptr<Connection> connection(static_cast<Connection*>(parameter));
  while (auto request = connection->channel.Receive()) {
    const auto answer = connection->calls->Handle(*request);
    if (!answer || !connection->channel.Send(rapi_wire::EncodeResponse(*answer))) break;
  }
  return 0;
}

bool WritePortFile(const std::wstring& path, uint16_t port) {
  FILE* file = _wfopen(path.c_str(), L"w");
  if (!file) return false;
  std::fprintf(file, "%u\n", port);
  return std::fclose(file) == 0;
}

}  // namespace

int main() {
  const auto options = ParseOptions();
  if (!options) {
    std::fprintf(stderr, "usage: emulated_device [--port N] [--port-file PATH] [--log PATH] [--deny-all]\n");
    return 2;
  }
  // Device paths such as \Windows\x name the device's drive.
  SetCurrentDirectoryW((emulated_device::WindowsFolder().substr(0, 2) + L"\\").c_str());
  uint16_t port = 0;
  SOCKET listener = rapi_wire::StartWinsock() ? rapi_wire::ListenLoopback(options->port, port) : INVALID_SOCKET;
  if (listener == INVALID_SOCKET) {
    std::fprintf(stderr, "emulated_device: cannot listen on 127.0.0.1:%u\n", options->port);
    return 1;
  }
  if (!options->portFile.empty() && !WritePortFile(options->portFile, port)) return 1;
  std::printf("emulated device listening on 127.0.0.1:%u\n", port);
  std::fflush(stdout);
  DeviceCalls calls(options->settings);
  for (;;) {
    SOCKET client = accept(listener, nullptr, nullptr);
    if (client == INVALID_SOCKET) continue;
    auto* connection = new Connection{&calls, rapi_wire::Channel(client)};
    HANDLE thread = CreateThread(nullptr, 0, Serve, connection, 0, nullptr);
    if (thread) {
      CloseHandle(thread);
    } else {
      delete connection;
    }
  }
}
