#pragma once
// The one connection of this process to the emulated device: its set-up on
// a thread of its own, as the Remote API does it, and its calls.
#include <windows.h>

#include "platform/rapi.h"
#include "standins/rapi_wire/socket_channel.h"
#include "support/critical_section.h"

namespace standins::rapi {

class RemoteSession {
 public:
  RemoteSession();
  ~RemoteSession() = delete;  // lives as long as the process

  // Keeps trying to reach the device until it answers or End is called, and
  // signals init->heRapiInit when it answered. CERAPI_E_ALREADYINITIALIZED
  // while an earlier set-up or its connection has not been ended.
  HRESULT Begin(RAPIINIT* init);
  // Ends the connection, or a set-up still under way; the set-up writes into
  // the caller's record no more once this returns.
  void End();
  // One request and its response. Without a connection, or when it breaks,
  // the answer is kRapiNoConnection and the connection is dropped.
  rapi_wire::Response Call(const rapi_wire::Bytes& request);

 private:
  static DWORD WINAPI SetUpThread(void* self);
  void SetUp();
  void EndLocked();

  // control_ orders Begin and End; lock_ guards what the set-up thread and
  // the calls share.
  support::CriticalSection control_;
  support::CriticalSection lock_;
  rapi_wire::Channel channel_;
  RAPIINIT* init_ = nullptr;
  DWORD initSize_ = 0;  // told to the device, which logs it
  HANDLE setUpDone_ = nullptr;
  HANDLE cancel_ = nullptr;
  HANDLE thread_ = nullptr;
};

RemoteSession& Session();

}  // namespace standins::rapi
