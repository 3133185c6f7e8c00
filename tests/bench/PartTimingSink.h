// For the copy benchmark: where the shown page's time goes. PartTimingSink
// passes what the engine reports on to the page and sums the time each part
// of the page's work takes (status text, bars, event handling), or leaves one
// part out, to see what the copy costs without it. TimedTextExtent sums the
// time the status text's measuring takes inside the status part.
#pragma once
#include <chrono>
#include <string>
#include <vector>

#include "engine/InstallSink.h"
#include "ui/win32/Win32Backend.h"

namespace bench {

// The parts of the page's work, timed one by one.
enum class PagePart { StatusText, Bars, EventHandling, Count };

class PartTimer {
 public:
  using Clock = std::chrono::steady_clock;

  template <class Work>
  void Time(PagePart part, Work&& work) {
    const Clock::time_point start = Clock::now();
    work();
    seconds_[static_cast<int>(part)] += std::chrono::duration<double>(Clock::now() - start).count();
  }
  double Seconds(PagePart part) const { return seconds_[static_cast<int>(part)]; }
  void Reset() { *this = PartTimer(); }

 private:
  double seconds_[static_cast<int>(PagePart::Count)] = {};
};

class PartTimingSink : public engine::InstallSink {
 public:
  // left out: the part not passed on to page (PagePart::Count: none).
  PartTimingSink(engine::InstallSink& page, PartTimer& timer, PagePart leftOut = PagePart::Count)
      : page_(page), timer_(timer), leftOut_(leftOut) {}

  void RunStarted() override { page_.RunStarted(); }
  void RunEnded(bool copyFailed) override { page_.RunEnded(copyFailed); }
  void ShowPackStatus(const std::string& text) override {
    Pass(PagePart::StatusText, [&] { page_.ShowPackStatus(text); });
  }
  void ShowFileStatus(const std::string& text) override {
    Pass(PagePart::StatusText, [&] { page_.ShowFileStatus(text); });
  }
  void ShowAreaBar(const engine::BarFigures& figures) override {
    Pass(PagePart::Bars, [&] { page_.ShowAreaBar(figures); });
  }
  void ShowFileBar(const engine::BarFigures& figures) override {
    Pass(PagePart::Bars, [&] { page_.ShowFileBar(figures); });
  }
  engine::CopyFailureAnswer AskAboutFailedCopy(const std::string& text) override {
    return page_.AskAboutFailedCopy(text);
  }
  std::string AskForNextDisc(const std::string& presetPath, const std::vector<std::string>& labels) override {
    return page_.AskForNextDisc(presetPath, labels);
  }
  void HandlePendingEvents() override {
    Pass(PagePart::EventHandling, [&] { page_.HandlePendingEvents(); });
  }

 private:
  template <class Work>
  void Pass(PagePart part, Work&& work) {
    if (part != leftOut_) timer_.Time(part, work);
  }

  engine::InstallSink& page_;
  PartTimer& timer_;
  PagePart leftOut_;
};

// The window backend, with the time its text measuring takes summed.
class TimedTextExtent : public ui::win32::Win32Backend {
 public:
  ui::Size TextExtent(const ui::Font& font, const std::string& text, int dpi) override {
    const auto start = std::chrono::steady_clock::now();
    const ui::Size size = Win32Backend::TextExtent(font, text, dpi);
    seconds_ += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return size;
  }
  double Seconds() const { return seconds_; }
  void Reset() { seconds_ = 0; }

 private:
  double seconds_ = 0;
};

}  // namespace bench
