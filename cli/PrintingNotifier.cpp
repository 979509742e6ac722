#include "cli/PrintingNotifier.h"

namespace veyra::cli {

void PrintingNotifier::Show(const Message& message) {
  std::lock_guard lock(mutex_);
  shown_.push_back(message);
  if (!stream_) return;
  // The detail, when there is one, on the line after the text, as the box shows it below.
  for (const std::string* line : {&message.text, &message.detail}) {
    if (line == &message.detail && line->empty()) break;
    const std::string text = localize_ ? localize_(*line) : *line;
    std::fputs(text.c_str(), stream_);
    if (text.empty() || text.back() != '\n') std::fputc('\n', stream_);
  }
  std::fflush(stream_);
}

std::vector<Message> PrintingNotifier::Shown() const {
  std::lock_guard lock(mutex_);
  return shown_;
}

}  // namespace veyra::cli
