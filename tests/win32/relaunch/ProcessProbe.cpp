// Test tool: looks at the running processes of one executable name.
//   process_probe Setup.exe            one line per process: its id, its image
//                                      path, then its command-line arguments
//                                      after the program, read from its own
//                                      process block by the installer's rule;
//                                      all separated by tabs.
//   process_probe --modules Setup.exe  the path of every module loaded in
//                                      those processes, one a line.
#include <cstdio>
#include <cstring>
#include <string>

#include "startup/Arguments.h"
#include "text/AnsiText.h"
// After the project's headers, as everywhere.
#include <windows.h>
#include <winternl.h>
#include <tlhelp32.h>

namespace {

// The command line the process was started with, as GetCommandLineA gives it
// inside the process.
std::string CommandLineOf(HANDLE process) {
  PROCESS_BASIC_INFORMATION basic;
  PEB peb;
  RTL_USER_PROCESS_PARAMETERS parameters;
  if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0 ||
      !ReadProcessMemory(process, basic.PebBaseAddress, &peb, sizeof peb, nullptr) ||
      !ReadProcessMemory(process, peb.ProcessParameters, &parameters, sizeof parameters, nullptr))
    return "?";
  std::wstring wide(parameters.CommandLine.Length / sizeof(wchar_t), L'\0');
  if (!ReadProcessMemory(process, parameters.CommandLine.Buffer, &wide[0], parameters.CommandLine.Length, nullptr))
    return "?";
  const int size =
      WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string line(size, '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), &line[0], size, nullptr, nullptr);
  return line;
}

std::string ImagePathOf(HANDLE process) {
  char path[MAX_PATH * 2];
  DWORD size = sizeof path;
  return QueryFullProcessImageNameA(process, 0, path, &size) ? std::string(path, size) : "?";
}

void PrintProcess(DWORD id) {
  const HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id);
  if (!process) return;
  std::string line = std::to_string(id) + "\t" + ImagePathOf(process);
  const std::vector<std::string> arguments = startup::SplitArguments(CommandLineOf(process));
  for (std::size_t i = 1; i < arguments.size(); ++i) line += "\t" + arguments[i];
  std::printf("%s\n", line.c_str());
  CloseHandle(process);
}

void PrintModules(DWORD id) {
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, id);
  if (snapshot == INVALID_HANDLE_VALUE) return;
  MODULEENTRY32 module;
  module.dwSize = sizeof module;
  for (BOOL more = Module32First(snapshot, &module); more; more = Module32Next(snapshot, &module))
    std::printf("%s\n", module.szExePath);
  CloseHandle(snapshot);
}

}  // namespace

int main(int argc, char** argv) {
  const bool modules = argc == 3 && std::strcmp(argv[1], "--modules") == 0;
  if (argc != 2 && !modules) {
    std::fprintf(stderr, "usage: process_probe [--modules] <executable name>\n");
    return 2;
  }
  const std::string wanted = text::LowerAscii(argv[argc - 1]);
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 1;
  PROCESSENTRY32 entry;
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (text::LowerAscii(entry.szExeFile) != wanted) continue;
    if (modules)
      PrintModules(entry.th32ProcessID);
    else
      PrintProcess(entry.th32ProcessID);
  }
  CloseHandle(snapshot);
  return 0;
}
