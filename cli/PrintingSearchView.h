// What veyractl shows of a host search: its status lines and nothing else.
#pragma once

#include <cstdio>
#include <string>

#include "session/HostSearch.h"

namespace veyra::cli {

// The search's status line, printed (nowhere for a null stream); the port list and picture have
// nothing to print.
class PrintingSearchView final : public session::SearchView {
 public:
  explicit PrintingSearchView(std::FILE* stream) : stream_(stream) {}
  void SetStatus(const std::string& text) override;
  void ShowPortState(bool) override {}
  void SelectPort(const std::string&) override {}

 private:
  std::FILE* stream_;
};

}  // namespace veyra::cli
