#include "link/Notifier.h"

#include <atomic>
#include <cstdio>

namespace veyra {
namespace {

class StderrNotifier final : public Notifier {
 public:
  void Show(const Message& message) override {
    if (!message.caption.empty()) std::fprintf(stderr, "[%s] ", message.caption.c_str());
    std::fprintf(stderr, "%s\n", message.text.c_str());
  }
};

StderrNotifier g_default;
std::atomic<Notifier*> g_current{&g_default};

}  // namespace

Notifier& Messages() { return *g_current.load(); }

void ShowOwned(std::string_view text) { Messages().Show(OwnedMessage(text)); }

void SetNotifier(Notifier* notifier) { g_current.store(notifier ? notifier : &g_default); }

}  // namespace veyra
