#pragma once
// The Remote API's answer when the desktop has no connection to the device,
// kept free of windows.h so that the platform-free core can name it too.
#include <cstdint>

// HRESULT of WSAENOTSOCK.
inline constexpr int32_t kRapiNoConnection = static_cast<int32_t>(0x80072736);
