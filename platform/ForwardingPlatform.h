// A platform that passes every call to another one: the base of platforms
// that change a few services of the system and leave the rest as they are.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace platform {

class ForwardingPlatform : public Platform {
 public:
  explicit ForwardingPlatform(Platform& inner) : inner_(inner) {}

  std::string TempPath() override { return inner_.TempPath(); }
  std::string ModulePath() override { return inner_.ModulePath(); }
  std::string CommandLine() override { return inner_.CommandLine(); }
  bool SameFolder(const std::string& a, const std::string& b) override { return inner_.SameFolder(a, b); }
  bool ShellOpen(const std::string& f, const std::string& p) override { return inner_.ShellOpen(f, p); }
  bool ClaimInstance(const std::string& n) override { return inner_.ClaimInstance(n); }
  bool InstanceRunning(const std::string& n) override { return inner_.InstanceRunning(n); }
  bool BringWindowToFront(const std::string& c) override { return inner_.BringWindowToFront(c); }
  std::vector<FindEntry> ListFolder(const std::string& p) override { return inner_.ListFolder(p); }
  std::uint32_t GetAttributes(const std::string& p) override { return inner_.GetAttributes(p); }
  bool SetAttributes(const std::string& p, std::uint32_t a) override { return inner_.SetAttributes(p, a); }
  bool CreateFolder(const std::string& p) override { return inner_.CreateFolder(p); }
  bool CopyFileTo(const std::string& s, const std::string& t, bool f, const CopyProgress& p = nullptr) override {
    return inner_.CopyFileTo(s, t, f, p);
  }
  bool RenameFile(const std::string& s, const std::string& t) override { return inner_.RenameFile(s, t); }
  bool RemoveFile(const std::string& p) override { return inner_.RemoveFile(p); }
  std::unique_ptr<File> OpenRead(const std::string& p) override { return inner_.OpenRead(p); }
  std::unique_ptr<File> OpenWrite(const std::string& p) override { return inner_.OpenWrite(p); }
  int DriveTypeOf(const std::string& r) override { return inner_.DriveTypeOf(r); }
  bool DiskSpaceOf(const std::string& r, DiskSpace& s) override { return inner_.DiskSpaceOf(r, s); }
  RegistryRead ReadMachineString(const std::string& k, const std::string& v, std::string& r) override {
    return inner_.ReadMachineString(k, v, r);
  }
  int CompareTextNoCase(const std::string& a, const std::string& b) override { return inner_.CompareTextNoCase(a, b); }
  char DecimalSeparator() override { return inner_.DecimalSeparator(); }
  text::LeadBytes AnsiLeadBytes() override { return inner_.AnsiLeadBytes(); }
  std::string AnsiToUtf8(const std::string& a) override { return inner_.AnsiToUtf8(a); }
  LocalTime Now() override { return inner_.Now(); }
  std::int64_t SteadyMilliseconds() override { return inner_.SteadyMilliseconds(); }
  std::string WindowsVersion() override { return inner_.WindowsVersion(); }
  bool WideToAnsi(const std::u16string& w, std::string& a) override { return inner_.WideToAnsi(w, a); }

 protected:
  Platform& Inner() { return inner_; }

 private:
  Platform& inner_;
};

}  // namespace platform
