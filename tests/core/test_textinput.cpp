#include "core/TextInput.h"

#include <gtest/gtest.h>

#include <string>

using namespace kviro;

TEST(TextInput, QuotedWordsShowInvisibleBytesEscaped) {
    using namespace std::string_literals;
    const struct {
        const char* name;
        std::string word;
        std::string shown;
    } cases[] = {
        {"plain", "KOLO12", "KOLO12"},
        {"croatian letters stay", "riječ", "riječ"},
        {"nul of a UTF-16 file", "3\0"s, "3\\x00"},
        {"control characters", "a\x01\x1B\x7F", "a\\x01\\x1B\\x7F"},
        {"broken UTF-8", "\xC4x\xFF", "\\xC4x\\xFF"},
        {"byte-order mark",
         "\xEF\xBB\xBF"
         "1",
         "\\xEF\\xBB\\xBF1"},
        {"backslash", "a\\b", "a\\\\b"},
        {"cut at 20 bytes", std::string(25, '9'), std::string(20, '9') + "..."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(quotedWord(c.word), c.shown) << c.name;
}
