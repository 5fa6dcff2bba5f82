#pragma once
// Frames over a loopback TCP connection (Winsock), for both ends.
#include <winsock2.h>

#include <optional>

#include "standins/rapi_wire/wire_format.h"

namespace standins::rapi_wire {

bool StartWinsock();

// One connection; closes its socket when destroyed.
class Channel {
 public:
  explicit Channel(SOCKET socket = INVALID_SOCKET) : socket_(socket) {}
  ~Channel() { Close(); }
  Channel(Channel&& other) noexcept : socket_(other.socket_) { other.socket_ = INVALID_SOCKET; }
  Channel& operator=(Channel&& other) noexcept;
  Channel(const Channel&) = delete;
  Channel& operator=(const Channel&) = delete;

  bool Open() const { return socket_ != INVALID_SOCKET; }
  // A Receive that waits longer fails (0: wait for ever).
  void SetReceiveTimeout(DWORD milliseconds);
  bool Send(const Bytes& frame);
  // The next frame; nothing when the peer is gone or sent a bad length.
  std::optional<Bytes> Receive();
  void Close();

 private:
  bool SendAll(const uint8_t* data, size_t size);
  bool ReceiveAll(uint8_t* data, size_t size);

  SOCKET socket_;
};

// Connects to 127.0.0.1:port; an unopened channel when nobody listens.
Channel ConnectLoopback(uint16_t port);

// Listens on 127.0.0.1:port (0: any free port); gives the port it got.
SOCKET ListenLoopback(uint16_t port, uint16_t& boundPort);

}  // namespace standins::rapi_wire
