#include "tools/cdtool/Problems.h"

#include "tools/cdtool/Charset.h"
#include "tools/cdtool/Console.h"

namespace cdtool {

void Problems::Add(const std::filesystem::path& file, const std::string& what) { Add(ShowPath(file) + ": " + what); }

void Problems::Add(const std::string& what) {
  ++count_;
  PrintError("cdtool: " + what + "\n");
}

void Problems::Warn(const std::filesystem::path& file, const std::string& what) {
  PrintError("cdtool: warning: " + ShowPath(file) + ": " + what + "\n");
}

}  // namespace cdtool
