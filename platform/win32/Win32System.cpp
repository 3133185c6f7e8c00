// System: the clocks and the version of Windows.
#include <chrono>
#include <cstdio>

#include "platform/win32/Win32Platform.h"
#include <windows.h>

namespace platform {

LocalTime Win32Platform::Now() {
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
}

std::int64_t Win32Platform::SteadyMilliseconds() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

std::string Win32Platform::WindowsVersion() {
  // The manifest names every Windows up to 11, so the answer is not capped
  // at the version of an older system.
  OSVERSIONINFOEXA info = {};
  info.dwOSVersionInfoSize = sizeof info;
  if (!::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) return "Windows (version unknown)";
  char text[64];
  std::snprintf(text, sizeof text, "Windows %lu.%lu build %lu", static_cast<unsigned long>(info.dwMajorVersion),
                static_cast<unsigned long>(info.dwMinorVersion), static_cast<unsigned long>(info.dwBuildNumber));
  std::string version = text;
  if (info.szCSDVersion[0] != '\0') version += std::string(" ") + info.szCSDVersion;
  return version;
}

}  // namespace platform
