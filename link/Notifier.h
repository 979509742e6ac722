// How the link layer and the protocol codecs reach a person: message boxes and the wait cursor.
// The GUI shows boxes on its own thread in arrival order, veyractl prints, tests record.
#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace veyra {

enum class Icon { None, Information, Warning, Error };

struct Message {
  std::string text;
  std::string caption;  // empty: the application's name is shown
  bool owned = true;    // has an owner window
  Icon icon = Icon::None;
  // Why, and what would be taken, beside a refusal whose text stays as the host's documents word
  // it: the box's second paragraph, veyractl's next line. Empty for most messages.
  std::string detail = {};

  bool operator==(const Message&) const = default;
};

// A plain box: owned by the window, no caption of its own (so the application's name shows), no icon.
inline Message OwnedMessage(std::string_view text) {
  Message message;
  message.text = std::string(text);
  return message;
}

// Shows a plain box owned by the window in front.
void ShowOwned(std::string_view text);

class Notifier {
 public:
  virtual ~Notifier() = default;
  virtual void Show(const Message& message) = 0;  // any thread, must not block on the GUI thread
  // A yes/no question before something that cannot be undone; true only for a clear yes. Asked on
  // the thread that will act on the answer; where nobody can answer, the answer is no.
  virtual bool Ask(const Message&) { return false; }
  virtual void BeginWait() {}
  virtual void EndWait() {}
  // Called every few milliseconds while the user-interface thread waits for the host, so a
  // window can keep painting (user input may be held back).
  virtual void KeepAlive() {}
};

// The program-wide sink. Never null: until one is installed messages go to standard error.
Notifier& Messages();
void SetNotifier(Notifier* notifier);  // nullptr restores the default

// Shows the wait cursor for a scope.
class WaitCursor {
 public:
  WaitCursor() { Messages().BeginWait(); }
  ~WaitCursor() { Messages().EndWait(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace veyra
