// Reads arbitrary bytes as a .TUK file. What is read must write back and read again the same;
// a refusal must point at a word of the input and keep nothing.
#include "core/TextInput.h"
#include "core/TukFile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

using namespace kviro;

namespace {
void check(bool ok) {
    if (!ok) __builtin_trap();
}
bool isSpace(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\v' || ch == '\f';
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const TukReadResult read = readTuk(bytes);

    if (!read.ok()) {
        const TukReadError& e = *read.error;
        check(read.entries.empty() && !read.cutPair);
        check(e.offset < size && !isSpace(bytes[e.offset]));
        const std::size_t first = bytes.starts_with(kUtf8Bom) ? kUtf8Bom.size() : 0;
        check(e.offset == first || (e.offset > first && isSpace(bytes[e.offset - 1])));
        // The word as a message quotes it holds no control bytes.
        for (const char ch : quotedWord(e.word))
            check(static_cast<unsigned char>(ch) >= 0x20);
        check(!e.word.empty() && e.word.size() <= 20 &&
              bytes.substr(e.offset, e.word.size()) == e.word);
        int line = 1;
        std::size_t lineStart = 0;
        for (std::size_t i = 0; i < e.offset; ++i)
            if (bytes[i] == '\n') ++line, lineStart = i + 1;
        check(e.line == line && e.column == static_cast<int>(e.offset - lineStart) + 1);
        return 0;
    }

    std::vector<Combination> records(read.entries.size());
    Table table;
    for (std::size_t i = 0; i < records.size(); ++i) {
        check(read.entries[i].code <= kMaxCode);
        records[i].code = read.entries[i].code;
        table.push_back(&records[i]);
    }
    const TukReadResult again = readTuk(tukFileBytes(table));
    check(again.ok() && !again.cutPair && again.entries.size() == read.entries.size());
    for (std::size_t i = 0; i < again.entries.size(); ++i) {
        check(again.entries[i].code == read.entries[i].code);
        check(again.entries[i].serial == static_cast<std::int32_t>(i + 1));
    }
    return 0;
}
