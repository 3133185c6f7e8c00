// A fresh folder under the temporary folder for one test, removed with all
// it holds when the test ends.
#pragma once
// <windows.h> first on purpose: the platform's names are not its macros.
#include <windows.h>

#include <string>

#include "platform/Platform.h"
#include "platform/win32/Win32Platform.h"

class ScratchFolder {
 public:
  explicit ScratchFolder(platform::Platform& system) : system_(system) {
    static int count = 0;
    path_ = system.TempPath() + "plat-test-" + std::to_string(::GetCurrentProcessId()) + "-" +
            std::to_string(++count) + "\\";
    Remove(path_);
    if (!system.CreateFolder(path_)) throw platform::Error("cannot create " + path_);
  }
  ~ScratchFolder() { Remove(path_); }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // Ends with "\".
  const std::string& Path() const { return path_; }

  // Writes a file in the folder; its full path.
  std::string AddFile(const std::string& name, const std::string& contents) {
    const std::string path = path_ + name;
    if (!platform::WriteWholeFile(system_, path, contents)) throw platform::Error("cannot write " + path);
    return path;
  }

 private:
  void Remove(const std::string& folder) {
    for (const platform::FindEntry& entry : system_.ListFolder(folder + "*.*")) {
      if (entry.Name == "." || entry.Name == "..") continue;
      const std::string path = folder + entry.Name;
      ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (entry.Attributes & platform::faDirectory)
        Remove(path + "\\");
      else
        ::DeleteFileA(path.c_str());
    }
    ::RemoveDirectoryA(folder.c_str());
  }

  platform::Platform& system_;
  std::string path_;
};

// The real system with a scratch folder as its root, for the test cases that
// run on both the in-memory machine and real files.
struct Win32ScratchMachine {
  platform::Platform& Platform() { return system; }
  std::string Root() { return scratch.Path(); }

  platform::Win32Platform system;
  ScratchFolder scratch{system};
};
