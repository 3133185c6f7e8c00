// Drives: type and free space.
#include "platform/win32/Win32Platform.h"
#include <windows.h>

namespace platform {

int Win32Platform::DriveTypeOf(const std::string& root) {
  return static_cast<int>(::GetDriveTypeA(root.c_str()));
}

bool Win32Platform::DiskSpaceOf(const std::string& root, DiskSpace& space) {
  DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
  if (!::GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters))
    return false;
  space.SectorsPerCluster = sectorsPerCluster;
  space.BytesPerSector = bytesPerSector;
  space.FreeClusters = freeClusters;
  space.TotalClusters = totalClusters;
  return true;
}

}  // namespace platform
