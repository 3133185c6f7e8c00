// What a command found wrong. Each problem is printed at once on stderr as
// "cdtool: FILE: WHAT"; the count decides the exit status.
#pragma once
#include <cstddef>
#include <filesystem>
#include <string>

namespace cdtool {

constexpr int kExitOk = 0;
constexpr int kExitProblem = 1;
constexpr int kExitUsage = 2;

class Problems {
 public:
  void Add(const std::filesystem::path& file, const std::string& what);
  // A problem of the set as a whole, not of one file.
  void Add(const std::string& what);
  // Printed as "cdtool: warning: ..."; does not change the exit status.
  void Warn(const std::filesystem::path& file, const std::string& what);

  std::size_t Count() const { return count_; }
  int ExitStatus() const { return count_ ? kExitProblem : kExitOk; }

 private:
  std::size_t count_ = 0;
};

}  // namespace cdtool
