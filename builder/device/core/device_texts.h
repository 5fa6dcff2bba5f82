#pragma once
// The Device Controller's status texts and the login's messages.

namespace builder::device {

inline constexpr char kStatusConnecting[] = "Connecting to device...";
inline constexpr char kStatusConnected[] = "Device connected";
inline constexpr char kStatusConnectFailed[] = "Could not connect to remote device";
inline constexpr char kStatusDisconnecting[] = "Disconnecting device...";
inline constexpr char kStatusDisconnected[] = "Device disconnected";

inline constexpr char kNoConnectionMessage[] = "No connection with the device. Please run ActiveySync and try again.";
inline constexpr char kLoginErrorFormat[] =
    "Login error. Operation could have been denied due to policy restriction. Error 0x%X";
inline constexpr char kInvalidPasswordMessage[] = "Invalid password. Please try again.";
inline constexpr char kExitFailedMessage[] = "Operation Failed! Probably because of security policy on the device.";

}  // namespace builder::device
