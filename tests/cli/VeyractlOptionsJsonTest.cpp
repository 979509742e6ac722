// veyractl's option styles, --json documents and help texts against the host on COM7: the same
// results whichever way an option is written, one document with named fields per run.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

#include "tests/common/CodecTestSupport.h"
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
    const char* expect;
    std::vector<std::string> args;
    bool silent;
    int status;
    std::string out;                                   // found on stdout; the whole of it unless a document
    std::vector<std::pair<const char*, json>> fields;  // JSON pointer and value, when stdout is a document
  } rows[] = {
      // clang-format off
      {"--port=COM7 is understood", {"--port=COM7", "send", "00", "09"}, false, 0, kSent, {}},
      {"-p is understood", {"-p", "COM7", "send", "00", "09"}, false, 0, kSent, {}},
      {"options after the command are understood", {"send", "00", "09", "--port", "COM7"}, false, 0, kSent, {}},
      {"a lower-case COM name is a COM name", {"--port", "com7", "send", "00", "09"}, false, 0, kSent, {}},
      {"--trace=FILE writes to the file only", {"--trace=" + trace, "-p", "COM7", "send", "00", "09"}, false, 0, kSent, {}},
      {"ports has named fields", {"ports", "--json"}, false, 0, "", {{"/ports/0/com", "COM7"}}},
      {"history's record has its fields named", {"-p", "COM7", "history", "--json"}, false, 0, "",
       {{"/history/0", {{"no", 1}, {"source", "База"}, {"event", "Постановка на охрану"}, {"zone", 0}, {"time", "01/05 08:30"}}},
        {"/history/38/zone", 200}}},
      {"timers' days keep their codes", {"-p", "COM7", "timers", "--json"}, false, 0, "",
       {{"/timers/1", {{"no", 2}, {"group", 2},
                       {"arm", {{"day", 7}, {"day_name", "Суббота"}, {"time", "22:00"}}},
                       {"disarm", {{"day", 8}, {"day_name", "Воскресенье"}, {"time", "09:15"}}}}}}},
      {"phones' slots are labelled", {"-p", "COM7", "phones", "--json"}, false, 0, "",
       {{"/phones/6", {{"slot", 7}, {"label", "SMS. номер 1"}, {"number", "13912345678"}}}, {"/phones/11/number", ""}}},
      {"setup's fields are the names setup-set takes", {"-p", "COM7", "setup", "--json"}, false, 0, "",
       {{"/setup/network", "auto"}, {"/setup/mirror", false}}},
      {"sensors' filter applies", {"-p", "COM7", "sensors", "--filter", "9", "--json"}, false, 0, "",
       {{"/sensors", json::array({{{"type", "Беспроводной звонок"}, {"number", "01"}, {"zone", "94"}, {"mode", "Пусто"}, {"id", "d0:0b:e1"}}})}}},
      {"an unanswered list prints a document", {"-p", "COM7", "history", "--json"}, true, 1, "",
       {{"", {{"history", json::array()}, {"error", "Нет истории!"}}}}},
      {"a writing command takes --json", {"-p", "COM7", "arm", "--json"}, false, 0, "",
       {{"", {{"ok", true}, {"messages", json::array({"Активировать систему!"})}}}}},
      {"a refused write is reported as failed", {"-p", "COM7", "arm", "--json"}, true, 1, "",
       {{"/ok", false}, {"/messages/0", "Ошибка активации!"}}},
      {"send's frames are in the document", {"-p", "COM7", "send", "00", "09", "--json"}, false, 0, "",
       {{"", {{"frames", json::array({"AA 00 09 09 55"})}, {"ok", true}, {"messages", json::array()}}}}},
      {"clock-sync's time and verdict in one document", {"-p", "COM7", "clock-sync", "--at", "2026-12-06 17:20:00", "--json"}, false, 0, "",
       {{"/time", "2026-12-06 17:20:00 Воскресенье"}, {"/ok", true}}},
      {"global help names the exit statuses", {"--help"}, false, 0, "2  usage", {}},
      {"timer help names the day codes", {"help", "timer-set"}, false, 0, "  8     Воскресенье\n", {}},
      {"phone help names the slot kinds", {"phones", "--help"}, false, 0, "1-6 are called (voice), 7-9 get an SMS, 10-12 an MMS", {}},
      {"setup help gives units", {"help", "setup-set"}, false, 0, "siren        how long the siren sounds, in minutes", {}},
      {"--yes is explained", {"reset", "--help"}, false, 0, "without --yes nothing is sent and the exit status is 2", {}},
      // Every option before the command as well as after it; erase-history last, as it empties the log.
      {"--json before the command is taken", {"--json", "--port", "COM7", "history"}, false, 0, "", {{"/history/38/zone", 200}}},
      {"a command's value option before it is taken", {"--filter", "9", "--json", "-p", "COM7", "sensors"}, false, 0, "",
       {{"/sensors/0/id", "d0:0b:e1"}}},
      {"--at before the command is taken", {"--at", "2026-12-06 17:20:00", "--port=COM7", "clock-sync", "--json"}, false, 0, "",
       {{"/time", "2026-12-06 17:20:00 Воскресенье"}}},
      {"--yes before the command is taken", {"--yes", "--json", "-p", "COM7", "erase-history"}, false, 0, "", {{"/ok", true}}},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
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
    if (document.is_discarded()) {
      ADD_FAILURE() << "no document: " << result.out << result.err;
      continue;
    }
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

// A --json document that failed says why in "error": scripts look there, not on standard error.
TEST_F(VeyractlOptionsJsonTest, AFailingDocumentSaysWhy) {
  const struct {
    const char* expect;
    std::vector<std::string> args;
    std::string error;  // found in "error"
  } rows[] = {
      // clang-format off
      {"learn's wrong reply only on standard error", {"learn", "2", "1", "12"}, "the host answered AA 00 09 09 55, not the acknowledgement"},
      {"delete's wrong reply only on standard error", {"delete", "1", "1"}, "not the acknowledgement"},
      {"delete-all's wrong reply only on standard error", {"delete-all", "sensors", "--yes"}, "not the acknowledgement"},
      {"siren-id's wrong reply only on standard error", {"siren-id", "01201120"}, "not the acknowledgement"},
      // clang-format on
  };
  env.SetTimeouts(1, 200);
  hostsim::Faults faults;
  faults.replaceReply = test::Hex("AA 00 09 09 55");  // the arm command's acknowledgement
  host.SetFaults(faults);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    std::vector<std::string> args = {"-p", "COM7"};
    args.insert(args.end(), row.args.begin(), row.args.end());
    args.push_back("--json");
    const auto result = RunVeyractl(args);
    EXPECT_EQ(result.status, 1) << result.err;
    const json document = json::parse(result.out, nullptr, false);
    if (document.is_discarded()) {
      ADD_FAILURE() << "no document: " << result.out << result.err;
      continue;
    }
    EXPECT_EQ(document.value("ok", true), false) << result.out;
    EXPECT_NE(document.value("error", "").find(row.error), std::string::npos) << result.out;
  }
}

// A trace that cannot be written costs its lines and one line on standard error, never the
// command.
TEST_F(VeyractlOptionsJsonTest, ATraceWriteErrorIsToldOnce) {
  env.SetTimeouts(3, 400);
  const auto result = RunVeyractl({"--trace=/dev/full", "-p", "COM7", "send", "00", "09"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "AA 00 09 09 55\n");
  EXPECT_EQ(result.err,
            "veyractl: cannot write the trace: No space left on device; lines are missing from it\n");
}

// A link's target and a by-id name are names anyone can give, tabs and newlines included: each
// port stays one line of three columns.
TEST_F(VeyractlOptionsJsonTest, PortsPrintsEachPortOnOneLine) {
  const std::string odd = env.Dir() + "/odd\tdevice\nname";
  std::filesystem::create_symlink(host.DevicePath(), odd);
  env.MapPort(9, odd);
  std::filesystem::create_directories(env.Dir() + "/by-id");
  std::filesystem::create_symlink(host.DevicePath(), env.Dir() + "/by-id/usb-odd\tby-id\nname");
  const auto result = RunVeyractl({"ports"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "COM7\t" + host.DevicePath() + "\tusb-odd by-id name\nCOM9\t" + env.Dir() +
                            "/odd device name\tusb-odd by-id name\n");
}

}  // namespace
}  // namespace veyra
