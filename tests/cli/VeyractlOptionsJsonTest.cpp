// veyractl's option styles, --json documents and help texts against the host on COM7: the same
// results whichever way an option is written, one document with named fields per run.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

#include "tests/common/PtyHostFixture.h"
#include "tests/common/Veyractl.h"

namespace veyra {
namespace {

using nlohmann::json;
using test::RunVeyractl;

using VeyractlOptionsJsonTest = test::PtyHostFixture;

TEST_F(VeyractlOptionsJsonTest, OptionStylesJsonDocumentsAndHelp) {
  const std::string trace = env.Dir() + "/trace.txt";
  const std::string kSent = "AA 00 09 09 55\n";
  const struct {
    const char* fault;
    std::vector<std::string> args;
    bool silent;
    int status;
    std::string out;                                   // found on stdout; the whole of it unless a document
    std::vector<std::pair<const char*, json>> fields;  // JSON pointer and value, when stdout is a document
  } rows[] = {
      // clang-format off
      {"--port=COM7 not understood", {"--port=COM7", "send", "00", "09"}, false, 0, kSent, {}},
      {"-p not understood", {"-p", "COM7", "send", "00", "09"}, false, 0, kSent, {}},
      {"options after the command not understood", {"send", "00", "09", "--port", "COM7"}, false, 0, kSent, {}},
      {"a lower-case COM name taken as a path", {"--port", "com7", "send", "00", "09"}, false, 0, kSent, {}},
      {"--trace=FILE writes to standard output", {"--trace=" + trace, "-p", "COM7", "send", "00", "09"}, false, 0, kSent, {}},
      {"ports without named fields", {"ports", "--json"}, false, 0, "", {{"/ports/0/com", "COM7"}}},
      {"history's record misnamed", {"-p", "COM7", "history", "--json"}, false, 0, "",
       {{"/history/0", {{"no", 1}, {"source", "База"}, {"event", "Постановка на охрану"}, {"zone", 0}, {"time", "01/05 08:30"}}},
        {"/history/38/zone", 200}}},
      {"timers' days lose their codes", {"-p", "COM7", "timers", "--json"}, false, 0, "",
       {{"/timers/1", {{"no", 2}, {"group", 2},
                       {"arm", {{"day", 7}, {"day_name", "Суббота"}, {"time", "22:00"}}},
                       {"disarm", {{"day", 8}, {"day_name", "Воскресенье"}, {"time", "09:15"}}}}}}},
      {"phones' slots unlabelled", {"-p", "COM7", "phones", "--json"}, false, 0, "",
       {{"/phones/6", {{"slot", 7}, {"label", "SMS. номер 1"}, {"number", "13912345678"}}}, {"/phones/11/number", ""}}},
      {"setup's fields not the names setup-set takes", {"-p", "COM7", "setup", "--json"}, false, 0, "",
       {{"/setup/network", "auto"}, {"/setup/mirror", false}}},
      {"sensors' filter ignored", {"-p", "COM7", "sensors", "--filter", "9", "--json"}, false, 0, "",
       {{"/sensors", json::array({{{"type", "Беспроводной звонок"}, {"number", "01"}, {"zone", "94"}, {"mode", "Пусто"}, {"id", "d0:0b:e1"}}})}}},
      {"an unanswered list prints text or no document", {"-p", "COM7", "history", "--json"}, true, 1, "",
       {{"", {{"history", json::array()}, {"error", "Нет истории!"}}}}},
      {"a writing command has no --json", {"-p", "COM7", "arm", "--json"}, false, 0, "",
       {{"", {{"ok", true}, {"messages", json::array({"Активировать систему!"})}}}}},
      {"a refused write reported as done", {"-p", "COM7", "arm", "--json"}, true, 1, "",
       {{"/ok", false}, {"/messages/0", "Ошибка активации!"}}},
      {"send's frames not in the document", {"-p", "COM7", "send", "00", "09", "--json"}, false, 0, "",
       {{"", {{"frames", json::array({"AA 00 09 09 55"})}, {"ok", true}, {"messages", json::array()}}}}},
      {"clock-sync's time and verdict apart", {"-p", "COM7", "clock-sync", "--at", "2026-12-06 17:20:00", "--json"}, false, 0, "",
       {{"/time", "2026-12-06 17:20:00 Воскресенье"}, {"/ok", true}}},
      {"global help without the exit statuses", {"--help"}, false, 0, "2  usage", {}},
      {"timer help without the day codes", {"help", "timer-set"}, false, 0, "  8     Воскресенье\n", {}},
      {"phone help without the slot kinds", {"phones", "--help"}, false, 0, "1-6 are called (voice), 7-9 get an SMS, 10-12 an MMS", {}},
      {"setup help without units", {"help", "setup-set"}, false, 0, "siren        how long the siren sounds, in minutes", {}},
      {"--yes not explained", {"reset", "--help"}, false, 0, "without --yes nothing is sent and the exit status is 2", {}},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
    env.SetTimeouts(row.silent ? 1 : 3, row.silent ? 200 : 400);
    hostsim::Faults faults;
    faults.silent = row.silent;
    host.SetFaults(faults);
    const auto result = RunVeyractl(row.args);
    EXPECT_EQ(result.status, row.status) << result.err;
    if (row.fields.empty()) {
      EXPECT_NE(result.out.find(row.out), std::string::npos) << result.out;
      if (row.out == kSent) {
        EXPECT_EQ(result.out, kSent);
      }
      continue;
    }
    const json document = json::parse(result.out, nullptr, false);
    ASSERT_FALSE(document.is_discarded()) << result.out;
    EXPECT_EQ(result.out.back(), '\n');
    EXPECT_EQ(result.out.find('\n'), result.out.size() - 1) << "one document on one line";
    for (const auto& [pointer, value] : row.fields)
      EXPECT_EQ(document.value(json::json_pointer(pointer), json()), value)
          << pointer << " in " << result.out;
  }
  std::ifstream in(trace);
  const std::string traced((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(traced.find(" > AA 00 09 09 55\n"), std::string::npos) << traced;
  EXPECT_NE(traced.find(" < AA 00 09 09 55\n"), std::string::npos) << traced;
}

}  // namespace
}  // namespace veyra
