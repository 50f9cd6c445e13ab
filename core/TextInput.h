// What the readers of the program's text files share: the largest file worth reading, the
// UTF-8 byte-order mark some editors put first, and words of a file quoted in a message.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kviro {

// No file the program writes comes near these sizes: a .MOR of the whole table is about 45 MB
// and a .TUK of every combination about 29 MB. Larger files are refused before they are read.
constexpr std::int64_t kMaxMorFileBytes = std::int64_t{128} << 20;
constexpr std::int64_t kMaxTukFileBytes = std::int64_t{64} << 20;

// The UTF-8 byte-order mark; the readers skip it at the start of a file.
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// A word of a file as it can be quoted: printable ASCII and whole UTF-8 characters stay, every
// other byte (control characters, NULs of a UTF-16 file, broken UTF-8) is written as \xNN, and
// a backslash as \\. At most `maxBytes` bytes of the word are taken; "..." marks a cut.
std::string quotedWord(std::string_view word, std::size_t maxBytes = 20);

} // namespace kviro
