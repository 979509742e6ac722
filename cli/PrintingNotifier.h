// How veyractl shows what a dialog would: each message printed on a line of its own.
#pragma once

#include <cstdio>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "link/Notifier.h"

namespace veyra::cli {

// Prints messages, one per line, to standard output (or wherever the command points it).
class PrintingNotifier final : public Notifier {
 public:
  void Show(const Message& message) override;
  // Null keeps the messages (Shown) without printing them: --json reports them in its document.
  void SetStream(std::FILE* stream) { stream_ = stream; }
  // What a message's text is printed as (--lang); null prints it as written.
  void SetLocalizer(std::string (*localize)(std::string_view)) { localize_ = localize; }
  std::vector<Message> Shown() const;

 private:
  mutable std::mutex mutex_;
  std::FILE* stream_ = stdout;
  std::string (*localize_)(std::string_view) = nullptr;
  std::vector<Message> shown_;
};

}  // namespace veyra::cli
