// Takes every message a test run shows, so nothing blocks on a modal box and a test can check
// the exact texts, in order.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "link/Notifier.h"

namespace veyra::test {

class RecordingNotifier final : public Notifier {
 public:
  // Runs the GUI thread's posted events; set by the GUI tests' main, so that waiting for the host
  // delivers replies there as the program's own notifier does.
  static inline std::function<void()> pump;

  RecordingNotifier() { SetNotifier(this); }
  ~RecordingNotifier() override { SetNotifier(nullptr); }

  void Show(const Message& message) override {
    {
      std::lock_guard lock(mutex_);
      messages_.push_back(message);
    }
    cv_.notify_all();
  }
  // Questions are recorded apart from messages and answered as the test says (no by default).
  bool Ask(const Message& question) override {
    std::lock_guard lock(mutex_);
    questions_.push_back(question);
    return answerYes_;
  }
  void AnswerYes(bool yes) {
    std::lock_guard lock(mutex_);
    answerYes_ = yes;
  }
  std::vector<Message> Questions() const {
    std::lock_guard lock(mutex_);
    return questions_;
  }
  void KeepAlive() override {
    if (pump) pump();
  }
  void BeginWait() override {
    std::lock_guard lock(mutex_);
    ++waits_;
  }

  std::vector<Message> Messages() const {
    std::lock_guard lock(mutex_);
    return messages_;
  }
  std::vector<std::string> Texts() const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> texts;
    for (const auto& m : messages_) texts.push_back(m.text);
    return texts;
  }
  // Waits (bounded) until at least count messages have been shown.
  bool WaitFor(std::size_t count, int timeoutMs = 3000) const {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    std::unique_lock lock(mutex_);
    for (;;) {
      if (messages_.size() >= count) return true;
      if (std::chrono::steady_clock::now() >= until) return false;
      if (!pump) {
        cv_.wait_until(lock, until);
        continue;
      }
      lock.unlock();
      pump();
      lock.lock();
      cv_.wait_for(lock, std::chrono::milliseconds(2));
    }
  }
  void Clear() {
    std::lock_guard lock(mutex_);
    messages_.clear();
    questions_.clear();
  }
  int Waits() const {
    std::lock_guard lock(mutex_);
    return waits_;
  }

 private:
  mutable std::mutex mutex_;
  mutable std::condition_variable cv_;
  std::vector<Message> messages_;
  std::vector<Message> questions_;
  bool answerYes_ = false;
  int waits_ = 0;
};

}  // namespace veyra::test
