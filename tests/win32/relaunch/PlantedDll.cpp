// Test tool: a DLL that, once loaded into a process, leaves a marker file
// next to itself (its own path + ".loaded") naming the process. Copied under
// the name of a system DLL, it shows whether a program would load a DLL that
// someone left in its folder.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  char marker[MAX_PATH + 16], program[MAX_PATH];
  const DWORD length = GetModuleFileNameA(module, marker, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return TRUE;
  lstrcatA(marker, ".loaded");
  const DWORD programLength = GetModuleFileNameA(nullptr, program, MAX_PATH);
  const HANDLE file = CreateFileA(marker, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    WriteFile(file, program, programLength, &written, nullptr);
    CloseHandle(file);
  }
  return TRUE;
}
