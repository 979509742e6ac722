// veyractl's alarm telephone number commands: list the twelve numbers, write some of them.
#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "cli/Command.h"
#include "cli/Context.h"
#include "cli/UsageError.h"
#include "features/alarm/PhoneCodec.h"

namespace veyra::cli {
namespace {

using namespace alarm;

int RunPhones(Context& context, const Args& args) {
  if (!args.words.empty()) return UsageError("phones takes no arguments");
  if (const int status = context.Connect()) return status;
  Json& list = context.Doc()["phones"] = Json::array();
  if (!context.SendCommand(PhoneReadPayload())) {
    Messages().Show(OwnedMessage(kPhoneReadNoReplyText));
    return 1;
  }
  std::array<std::string, kPhoneSlotCount> numbers;
  bool any = false;
  // Twelve slots: the list ends at the last one's frame, not a quiet reply window after it.
  std::array<bool, kPhoneSlotCount> seen{};
  const ListEnd end = context.ReadAnswer("phones", kShortListBounds, [&](const Bytes& frame) {
    if (const std::optional<PhoneNumber> number = DecodePhoneFrame(frame)) {
      numbers[number->slot - 1] = number->text;
      seen[number->slot - 1] = true;
      any = true;
    }
    return std::all_of(seen.begin(), seen.end(), [](bool slot) { return slot; });
  });
  const bool ended = end == ListEnd::Quiet || end == ListEnd::Complete;
  if (any) {
    for (int slot = 1; slot <= kPhoneSlotCount; ++slot) {
      if (args.json)
        list.push_back({{"slot", slot}, {"label", PhoneSlotLabels[slot - 1]}, {"number", numbers[slot - 1]}});
      else
        std::printf("%d\t%s\n", slot, numbers[slot - 1].c_str());
    }
  } else if (ended) {
    // Frames came, none of them a number: to the user that is no answer at all.
    Messages().Show(OwnedMessage(kPhoneReadNoReplyText));
    return 1;
  }
  return ended ? 0 : 1;
}

constexpr const char* kPhoneSetUsage = "phone-set SLOT=NUMBER ... (SLOT 1-12, each at most once)";

// "7=13912345678" -> slot 7; the number is judged by the save, as the dialog judges a field.
bool ParseSlotArgument(const std::string& arg, int& slot, std::string& number) {
  const std::size_t equals = arg.find('=');
  if (equals == std::string::npos || equals == 0 || equals > 2) return false;
  slot = 0;
  for (std::size_t i = 0; i < equals; ++i) {
    if (arg[i] < '0' || arg[i] > '9') return false;
    slot = slot * 10 + (arg[i] - '0');
  }
  number = arg.substr(equals + 1);
  return slot >= 1 && slot <= kPhoneSlotCount;
}

int RunPhoneSet(Context& context, const Args& args) {
  if (args.words.empty()) return UsageError(kPhoneSetUsage);
  std::map<int, std::string> ticked;  // in slot order, as the save walks its check boxes
  for (const std::string& arg : args.words) {
    int slot = 0;
    std::string number;
    if (!ParseSlotArgument(arg, slot, number) || !ticked.emplace(slot, number).second)
      return UsageError(("not taken: '" + arg + "'; " + kPhoneSetUsage).c_str());
  }
  if (const int status = context.Connect()) return status;

  FrameQueue& link = context.Link();
  // Shared with the handler: a late frame may still be in it when this function returns.
  const auto save = std::make_shared<PhoneSaveTracker>();
  link.SetHandler([acks = link.Acks(), save](const Bytes& sent, const Bytes& received) {
    save->OnReply(sent, received, acks);
  });
  save->Begin();
  for (int slot = 1; slot <= kPhoneSlotCount; ++slot) {
    const auto found = ticked.find(slot);
    if (found == ticked.end()) {
      save->Skip();
      continue;
    }
    const PhoneRequest request = save->StartWrite(slot, found->second);
    if (!request.payload) {
      Messages().Show(*request.refusal);
      continue;
    }
    if (const auto message = save->FinishWrite(context.SendCommand(*request.payload) ? 1 : 0))
      Messages().Show(*message);
  }
  link.SetHandler(nullptr);
  if (const auto message = save->Finish()) {
    Messages().Show(*message);
    return 1;
  }
  return 0;
}

// The slots as the telephone window labels them: voice calls, then SMS, then MMS numbers.
std::string SlotHelp() {
  std::string text = "SLOT    1 to 12, each the slot of one number:\n";
  for (int slot = 1; slot <= kPhoneSlotCount; ++slot)
    text += "  " + std::to_string(slot) + (slot < 10 ? "   " : "  ") +
            std::string(PhoneSlotLabels[slot - 1]) + "\n";
  return text + "        1-6 are called (voice), 7-9 get an SMS, 10-12 an MMS\n";
}

const RegisterCommand kPhones({.name = "phones",
                               .usage = "--port PORT phones [--json]",
                               .summary = "print the twelve alarm telephone numbers, one slot a line: slot, "
                                          "number (empty when none)",
                               .details = SlotHelp(),
                               .options = {kJsonOption},
                               .run = RunPhones});
const RegisterCommand kPhoneSet(
    {.name = "phone-set",
     .usage = "--port PORT phone-set SLOT=NUMBER ...",
     .summary = "write the numbers of the slots named, in slot order; the others "
                "keep theirs",
     .details = SlotHelp() + "NUMBER  digits, * and #, or 3G and digits; empty clears the slot\n",
     .run = RunPhoneSet});

}  // namespace
}  // namespace veyra::cli
