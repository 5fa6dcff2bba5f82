#include "standins/rapi/remote_session.h"

#include <mutex>

namespace standins::rapi {

namespace {

constexpr DWORD kRetryPauseMs = 200;
// A device that takes the connection but does not answer is tried again.
constexpr DWORD kHelloTimeoutMs = 1000;

rapi_wire::Response NoConnection() { return {kRapiNoConnection, WSAENOTSOCK, {}}; }

// Read at every set-up, so that a changed setting counts from the next one.
uint16_t DevicePort() {
  char setting[16] = {};
  const DWORD length = GetEnvironmentVariableA("BC_DEVICE_PORT", setting, sizeof setting);
  return rapi_wire::DevicePort(length > 0 && length < sizeof setting ? setting : nullptr);
}

}  // namespace

RemoteSession::RemoteSession() {
  rapi_wire::StartWinsock();
}

RemoteSession& Session() {
  static RemoteSession* session = new RemoteSession();
  return *session;
}

HRESULT RemoteSession::Begin(RAPIINIT* init) {
  std::lock_guard control(control_);
  if (setUpDone_ != nullptr) return CERAPI_E_ALREADYINITIALIZED;
  {
    std::lock_guard lock(lock_);
    init_ = init;
    initSize_ = init->cbSize;
    init_->heRapiInit = setUpDone_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    init_->hrRapiInit = E_PENDING;
  }
  cancel_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  thread_ = setUpDone_ && cancel_ ? CreateThread(nullptr, 0, SetUpThread, this, 0, nullptr) : nullptr;
  if (thread_ == nullptr) {
    EndLocked();
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

DWORD WINAPI RemoteSession::SetUpThread(void* self) {
  static_cast<RemoteSession*>(self)->SetUp();
  return 0;
}

void RemoteSession::SetUp() {
  const uint16_t port = DevicePort();
  const rapi_wire::Bytes hello =
      rapi_wire::Writer().U32(static_cast<uint32_t>(rapi_wire::Operation::Hello)).U32(initSize_).Data();
  do {
    rapi_wire::Channel channel = rapi_wire::ConnectLoopback(port);
    channel.SetReceiveTimeout(kHelloTimeoutMs);
    if (!channel.Send(hello)) continue;
    const auto frame = channel.Receive();
    const auto answer = frame ? rapi_wire::DecodeResponse(*frame) : std::nullopt;
    if (!answer) continue;
    channel.SetReceiveTimeout(0);
    std::lock_guard lock(lock_);
    if (answer->status >= 0) channel_ = std::move(channel);
    init_->hrRapiInit = answer->status;
    SetEvent(setUpDone_);
    return;
  } while (WaitForSingleObject(cancel_, kRetryPauseMs) == WAIT_TIMEOUT);
}

void RemoteSession::End() {
  std::lock_guard control(control_);
  EndLocked();
}

void RemoteSession::EndLocked() {
  // The set-up thread takes lock_ itself: it is stopped before lock_ is taken.
  if (thread_) {
    SetEvent(cancel_);
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    thread_ = nullptr;
  }
  if (cancel_) CloseHandle(cancel_);
  cancel_ = nullptr;
  std::lock_guard lock(lock_);
  if (setUpDone_) CloseHandle(setUpDone_);
  setUpDone_ = nullptr;
  init_ = nullptr;
  channel_.Close();
}

rapi_wire::Response RemoteSession::Call(const rapi_wire::Bytes& request) {
  std::lock_guard lock(lock_);
  if (!channel_.Open() || !channel_.Send(request)) {
    channel_.Close();
    return NoConnection();
  }
  const auto frame = channel_.Receive();
  const auto answer = frame ? rapi_wire::DecodeResponse(*frame) : std::nullopt;
  if (!answer) {
    channel_.Close();
    return NoConnection();
  }
  return *answer;
}

}  // namespace standins::rapi
