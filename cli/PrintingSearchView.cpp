#include "cli/PrintingSearchView.h"

namespace veyra::cli {

void PrintingSearchView::SetStatus(const std::string& text) {
  if (!stream_) return;
  std::fprintf(stream_, "%s\n", text.c_str());
  std::fflush(stream_);
}

}  // namespace veyra::cli
