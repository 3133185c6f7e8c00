// The shell namespace of the real system: items are absolute item identifier
// lists from the desktop, asked about through the desktop's IShellFolder and
// the IShellFolder of their parent folders. COM must be initialised on the
// calling thread (the program does it at start-up).
#pragma once
#include "platform/ShellNamespace.h"

namespace platform {

class Win32ShellNamespace final : public ShellNamespace {
 public:
  ShellItemPtr Desktop() override;
  ShellItemPtr MyComputer() override;
  ShellItemPtr Parent(const ShellItemPtr& item) override;
  bool SameItem(const ShellItemPtr& a, const ShellItemPtr& b) override;
  bool ListSubFolders(const ShellItemPtr& folder, NativeWindow owner, std::vector<ShellItemPtr>& items) override;
  bool ListFiles(const ShellItemPtr& folder, NativeWindow owner, const std::string& extension,
                 std::vector<ShellItemPtr>& items) override;
  int Compare(const ShellItemPtr& folder, const ShellItemPtr& a, const ShellItemPtr& b) override;
  std::uint32_t Attributes(const ShellItemPtr& item) override;
  std::string Name(const ShellItemPtr& item, ShellName kind) override;
  std::string FileSystemPath(const ShellItemPtr& item) override;
  bool ParseDisplayName(const std::string& name, ShellItemPtr& item) override;
  bool Rename(const ShellItemPtr& item, const std::string& newName, NativeWindow owner,
              ShellItemPtr& renamed) override;
  void* SmallImages() override;
  int IconIndex(const ShellItemPtr& item, bool open) override;
  std::unique_ptr<ShellContextMenu> ContextMenu(const ShellItemPtr& item, NativeWindow owner) override;
  void OpenDefault(const ShellItemPtr& item) override;
};

}  // namespace platform
