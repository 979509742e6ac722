#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/common/PtyHostFixture.h"
#include "tests/common/Veyractl.h"

namespace veyra {
namespace {

using VeyractlLanguageTest = test::PtyHostFixture;

// Scripts read the messages as written; --lang en prints them from the English catalogue.
TEST_F(VeyractlLanguageTest, MessagesAreAsWrittenUnlessLangAsksForEnglish) {
  const struct {
    const char* fault;
    std::vector<std::string> args;
    int status;
    std::string out;
  } rows[] = {
      {"a script's message changed under it", {"--port", "COM7", "arm"}, 0, "Активировать систему!\n"},
      {"--lang ru changes the message",
       {"--lang", "ru", "--port", "COM7", "arm"},
       0,
       "Активировать систему!\n"},
      {"--lang en leaves the message untranslated",
       {"--lang", "en", "--port", "COM7", "arm"},
       0,
       "System armed!\n"},
      {"an unknown language is taken", {"--lang", "de", "--port", "COM7", "arm"}, 2, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
    const auto result = test::RunVeyractl(row.args);
    EXPECT_EQ(result.status, row.status) << result.err;
    EXPECT_EQ(result.out, row.out);
  }
}

}  // namespace
}  // namespace veyra
