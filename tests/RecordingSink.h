// The engine's sink for its tests, without any window: it records what the
// progress page would show after every report, and answers the engine's
// questions from a script.
#pragma once
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "engine/InstallSink.h"

class RecordingSink : public engine::InstallSink {
 public:
  // What the progress page would show.
  struct Snapshot {
    std::string PackStatus, FileStatus;
    engine::BarFigures Area, File;
  };

  Snapshot Current;
  std::vector<Snapshot> Snapshots;  // one after every progress report
  int RunsStarted = 0, RunsEnded = 0;
  bool EndedByFailedCopy = false;
  // Runs at every handling of pending events (to request a cancel, say).
  std::function<void()> OnEvents;

  // The failed-copy questions, and their next answers in order; each may act
  // first (free space, say). Without one the answer is Abort.
  std::vector<std::string> CopyFailures;
  std::deque<std::function<engine::CopyFailureAnswer()>> CopyFailureAnswers;
  void Answer(engine::CopyFailureAnswer answer) {
    CopyFailureAnswers.push_back([answer] { return answer; });
  }

  // The labels of every next-disc question, and the folders to answer them
  // with in order; each may act first (swap the disc). Without one the
  // question is cancelled.
  std::vector<std::vector<std::string>> DiscRequests;
  std::deque<std::function<std::string()>> DiscAnswers;

  // Every file the copy was done with, in order.
  struct FileReport {
    std::string TargetPath;
    std::int64_t Size;
    engine::FileOutcome Outcome;
    bool operator==(const FileReport& o) const {
      return TargetPath == o.TargetPath && Size == o.Size && Outcome == o.Outcome;
    }
  };
  std::vector<FileReport> Files;

  void RunStarted() override { ++RunsStarted; }
  void RunEnded(bool copyFailed) override {
    ++RunsEnded;
    EndedByFailedCopy = copyFailed;
  }
  void ShowPackStatus(const std::string& text) override { Record(&Snapshot::PackStatus, text); }
  void ShowFileStatus(const std::string& text) override { Record(&Snapshot::FileStatus, text); }
  void ShowAreaBar(const engine::BarFigures& figures) override { Record(&Snapshot::Area, figures); }
  void ShowFileBar(const engine::BarFigures& figures) override { Record(&Snapshot::File, figures); }
  void FileDone(const std::string& targetPath, std::int64_t size, engine::FileOutcome outcome) override {
    Files.push_back({targetPath, size, outcome});
  }

  engine::CopyFailureAnswer AskAboutFailedCopy(const std::string& text) override {
    CopyFailures.push_back(text);
    return Next(CopyFailureAnswers, engine::CopyFailureAnswer::Abort);
  }
  std::string AskForNextDisc(const std::string&, const std::vector<std::string>& labels) override {
    DiscRequests.push_back(labels);
    return Next(DiscAnswers, std::string());
  }
  void HandlePendingEvents() override {
    if (OnEvents) OnEvents();
  }

 private:
  template <class Value>
  void Record(Value Snapshot::*field, const Value& value) {
    Current.*field = value;
    Snapshots.push_back(Current);
  }
  template <class Result>
  static Result Next(std::deque<std::function<Result()>>& answers, Result otherwise) {
    if (answers.empty()) return otherwise;
    const std::function<Result()> answer = answers.front();
    answers.pop_front();
    return answer();
  }
};
