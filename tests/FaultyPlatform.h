// A platform that passes every call to another one, with two faults a test
// can arm: opening one path raises platform::Error, and a file opened for
// writing at one path takes only so many bytes. Wrapped around the fake or
// the real system, it lets the same failure cases run on both.
#pragma once
#include <algorithm>
#include <limits>
#include <memory>
#include <string>

#include "platform/ForwardingPlatform.h"

class FaultyPlatform : public platform::ForwardingPlatform {
 public:
  explicit FaultyPlatform(platform::Platform& inner) : ForwardingPlatform(inner) {}

  void FailOpen(const std::string& path) { failingOpen_ = path; }
  void FailWriteAfter(const std::string& path, std::size_t bytes) {
    limitedWrite_ = path;
    writeLimit_ = bytes;
  }

  std::unique_ptr<platform::File> OpenRead(const std::string& path) override {
    if (path == failingOpen_) throw platform::OpenError(false, path, "injected");
    return ForwardingPlatform::OpenRead(path);
  }
  std::unique_ptr<platform::File> OpenWrite(const std::string& path) override {
    if (path == failingOpen_) throw platform::OpenError(true, path, "injected");
    std::unique_ptr<platform::File> file = ForwardingPlatform::OpenWrite(path);
    if (path != limitedWrite_) return file;
    return std::make_unique<LimitedFile>(std::move(file), writeLimit_);
  }

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

  std::string failingOpen_;
  std::string limitedWrite_;
  std::size_t writeLimit_ = std::numeric_limits<std::size_t>::max();
};
