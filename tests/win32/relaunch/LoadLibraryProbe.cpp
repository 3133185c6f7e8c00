// Test tool: loads a DLL by its bare name with the system's ordinary search
// order, as a program does that has not restricted it. Usage:
// load_library_probe uxtheme.dll; exit code 0 when the DLL was loaded.
#include <windows.h>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  return LoadLibraryA(argv[1]) ? 0 : 1;
}
