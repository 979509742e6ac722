// A language loaded for one scope; the texts are as written again after it.
#pragma once

#include <gtest/gtest.h>

#include "ui/Translation.h"

namespace veyra::test {

struct LanguageScope {
  explicit LanguageScope(Language language) { EXPECT_TRUE(LoadLanguage(language)); }
  ~LanguageScope() { LoadLanguage(Language::Original); }
  LanguageScope(const LanguageScope&) = delete;
  LanguageScope& operator=(const LanguageScope&) = delete;
};

}  // namespace veyra::test
