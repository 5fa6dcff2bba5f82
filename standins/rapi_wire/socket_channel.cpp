#include "standins/rapi_wire/socket_channel.h"

#include <ws2tcpip.h>

namespace standins::rapi_wire {

namespace {

sockaddr_in LoopbackAddress(uint16_t port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

}  // namespace

bool StartWinsock() {
  WSADATA data;
  return WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

Channel& Channel::operator=(Channel&& other) noexcept {
  if (this != &other) {
    Close();
    socket_ = other.socket_;
    other.socket_ = INVALID_SOCKET;
  }
  return *this;
}

void Channel::Close() {
  if (socket_ != INVALID_SOCKET) closesocket(socket_);
  socket_ = INVALID_SOCKET;
}

void Channel::SetReceiveTimeout(DWORD milliseconds) {
  if (!Open()) return;
  setsockopt(socket_, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&milliseconds), sizeof milliseconds);
}

bool Channel::SendAll(const uint8_t* data, size_t size) {
  while (size > 0) {
    const int sent = send(socket_, reinterpret_cast<const char*>(data), static_cast<int>(size), 0);
    if (sent <= 0) return false;
    data += sent;
    size -= static_cast<size_t>(sent);
  }
  return true;
}

bool Channel::ReceiveAll(uint8_t* data, size_t size) {
  while (size > 0) {
    const int got = recv(socket_, reinterpret_cast<char*>(data), static_cast<int>(size), 0);
    if (got <= 0) return false;
    data += got;
    size -= static_cast<size_t>(got);
  }
  return true;
}

bool Channel::Send(const Bytes& frame) {
  if (!Open() || frame.size() > kMaxFrameSize) return false;
  const Bytes length = Writer().U32(static_cast<uint32_t>(frame.size())).Data();
  return SendAll(length.data(), length.size()) && SendAll(frame.data(), frame.size());
}

std::optional<Bytes> Channel::Receive() {
  if (!Open()) return std::nullopt;
  Bytes length(4);
  if (!ReceiveAll(length.data(), length.size())) return std::nullopt;
  const uint32_t size = Reader(length).U32();
  if (size > kMaxFrameSize) return std::nullopt;
  Bytes frame(size);
  if (!ReceiveAll(frame.data(), frame.size())) return std::nullopt;
  return frame;
}

Channel ConnectLoopback(uint16_t port) {
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (s == INVALID_SOCKET) return Channel();
  const sockaddr_in address = LoopbackAddress(port);
  if (connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    closesocket(s);
    return Channel();
  }
  const BOOL noDelay = TRUE;
  setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof noDelay);
  return Channel(s);
}

SOCKET ListenLoopback(uint16_t port, uint16_t& boundPort) {
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (s == INVALID_SOCKET) return s;
  sockaddr_in address = LoopbackAddress(port);
  int size = sizeof address;
  if (bind(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 || listen(s, SOMAXCONN) != 0 ||
      getsockname(s, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
    closesocket(s);
    return INVALID_SOCKET;
  }
  boundPort = ntohs(address.sin_port);
  return s;
}

}  // namespace standins::rapi_wire
