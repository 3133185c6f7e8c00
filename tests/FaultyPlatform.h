// A platform that passes every call to another one, with two faults a test
// can arm: opening one path raises platform::Error, and a file opened for
// writing at one path takes only so many bytes. Wrapped around the fake or
// the real system, it lets the same failure cases run on both.
#pragma once
#include <algorithm>
#include <limits>
#include <memory>
#include <string>

#include "platform/Platform.h"

class FaultyPlatform : public platform::Platform {
 public:
  explicit FaultyPlatform(platform::Platform& inner) : inner_(inner) {}

  void FailOpen(const std::string& path) { failingOpen_ = path; }
  void FailWriteAfter(const std::string& path, std::size_t bytes) {
    limitedWrite_ = path;
    writeLimit_ = bytes;
  }

  std::unique_ptr<platform::File> OpenRead(const std::string& path) override {
    if (path == failingOpen_) throw platform::OpenError(false, path, "injected");
    return inner_.OpenRead(path);
  }
  std::unique_ptr<platform::File> OpenWrite(const std::string& path) override {
    if (path == failingOpen_) throw platform::OpenError(true, path, "injected");
    std::unique_ptr<platform::File> file = inner_.OpenWrite(path);
    if (path != limitedWrite_) return file;
    return std::make_unique<LimitedFile>(std::move(file), writeLimit_);
  }

  std::string TempPath() override { return inner_.TempPath(); }
  std::string ModulePath() override { return inner_.ModulePath(); }
  std::string CommandLine() override { return inner_.CommandLine(); }
  bool SameFolder(const std::string& a, const std::string& b) override { return inner_.SameFolder(a, b); }
  bool ShellOpenAndWait(const std::string& f, const std::string& p, int& c) override {
    return inner_.ShellOpenAndWait(f, p, c);
  }
  bool ClaimInstance(const std::string& n) override { return inner_.ClaimInstance(n); }
  bool InstanceRunning(const std::string& n) override { return inner_.InstanceRunning(n); }
  bool BringWindowToFront(const std::string& c) override { return inner_.BringWindowToFront(c); }
  std::vector<platform::FindEntry> ListFolder(const std::string& p) override { return inner_.ListFolder(p); }
  std::uint32_t GetAttributes(const std::string& p) override { return inner_.GetAttributes(p); }
  bool SetAttributes(const std::string& p, std::uint32_t a) override { return inner_.SetAttributes(p, a); }
  bool CreateFolder(const std::string& p) override { return inner_.CreateFolder(p); }
  bool CopyFile(const std::string& s, const std::string& t, bool f) override { return inner_.CopyFile(s, t, f); }
  bool MoveFile(const std::string& s, const std::string& t) override { return inner_.MoveFile(s, t); }
  bool DeleteFile(const std::string& p) override { return inner_.DeleteFile(p); }
  int GetDriveType(const std::string& r) override { return inner_.GetDriveType(r); }
  bool GetDiskFreeSpace(const std::string& r, platform::DiskSpace& s) override {
    return inner_.GetDiskFreeSpace(r, s);
  }
  platform::RegistryRead ReadMachineString(const std::string& k, const std::string& v, std::string& r) override {
    return inner_.ReadMachineString(k, v, r);
  }
  int CompareTextNoCase(const std::string& a, const std::string& b) override {
    return inner_.CompareTextNoCase(a, b);
  }
  char DecimalSeparator() override { return inner_.DecimalSeparator(); }
  text::LeadBytes AnsiLeadBytes() override { return inner_.AnsiLeadBytes(); }
  std::string AnsiToUtf8(const std::string& a) override { return inner_.AnsiToUtf8(a); }
  platform::LocalTime Now() override { return inner_.Now(); }
  std::string WindowsVersion() override { return inner_.WindowsVersion(); }
  bool WideToAnsi(const std::u16string& w, std::string& a) override { return inner_.WideToAnsi(w, a); }

 private:
  class LimitedFile : public platform::File {
   public:
    LimitedFile(std::unique_ptr<platform::File> inner, std::size_t limit) : inner_(std::move(inner)), left_(limit) {}
    bool Read(void* buffer, std::size_t count) override { return inner_->Read(buffer, count); }
    bool Write(const void* buffer, std::size_t count) override {
      const std::size_t accepted = std::min(count, left_);
      left_ -= accepted;
      return inner_->Write(buffer, accepted) && accepted == count;
    }
    std::int64_t Size() override { return inner_->Size(); }
    bool Seek(std::int64_t offset) override { return inner_->Seek(offset); }

   private:
    std::unique_ptr<platform::File> inner_;
    std::size_t left_;
  };

  platform::Platform& inner_;
  std::string failingOpen_;
  std::string limitedWrite_;
  std::size_t writeLimit_ = std::numeric_limits<std::size_t>::max();
};
