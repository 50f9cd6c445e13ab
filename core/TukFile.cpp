#include "core/TukFile.h"

#include "core/TextInput.h"

#include <charconv>
#include <limits>

namespace kviro {

std::string tukFileBytes(const Table& table) {
    std::string out;
    out.reserve(table.size() * 20);
    char buf[16];
    std::size_t place = 0;
    for (const Combination* rec : table) {
        ++place;
        out.append(buf, std::to_chars(buf, buf + sizeof buf, rec->code).ptr);
        out += ' ';
        out.append(buf, std::to_chars(buf, buf + sizeof buf, place).ptr);
        out += "\r\n";
    }
    return out;
}

namespace {

// White space as a formatted read skips it.
constexpr bool isSpace(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\v' || ch == '\f';
}

// A word as a decimal integer with an optional sign. Values beyond the 64-bit range are
// clamped, which keeps them out of every range the caller accepts.
std::optional<std::int64_t> wordValue(std::string_view word) {
    std::size_t i = 0;
    bool negative = false;
    if (word[0] == '+' || word[0] == '-') {
        negative = word[0] == '-';
        i = 1;
    }
    if (i == word.size()) return std::nullopt;
    constexpr std::int64_t kClamp = std::int64_t{1} << 40;
    std::int64_t value = 0;
    for (; i < word.size(); ++i) {
        const char ch = word[i];
        if (ch < '0' || ch > '9') return std::nullopt;
        if (value < kClamp) value = value * 10 + (ch - '0');
    }
    return negative ? -value : value;
}

TukReadError errorAt(std::string_view bytes, std::size_t offset, std::string_view word,
                     TukReadError::Kind kind) {
    TukReadError e;
    e.kind = kind;
    e.offset = offset;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < offset; ++i) {
        if (bytes[i] == '\n') {
            ++e.line;
            lineStart = i + 1;
        }
    }
    e.column = static_cast<int>(offset - lineStart) + 1;
    e.word = std::string(word.substr(0, 20));
    return e;
}

} // namespace

TukReadResult readTuk(std::string_view bytes) {
    TukReadResult result;
    std::size_t i = bytes.starts_with(kUtf8Bom) ? kUtf8Bom.size() : 0;
    const std::size_t n = bytes.size();
    bool pending = false; // the first number of a pair was read, its second not yet
    std::uint32_t pendingCode = 0;
    while (true) {
        while (i < n && isSpace(bytes[i]))
            ++i;
        if (i == n) break;
        const std::size_t start = i;
        while (i < n && !isSpace(bytes[i]))
            ++i;
        const std::string_view word = bytes.substr(start, i - start);
        const std::optional<std::int64_t> value = wordValue(word);
        TukReadError::Kind kind = TukReadError::Kind::NotANumber;
        bool accepted = false;
        if (value) {
            if (!pending) {
                kind = TukReadError::Kind::CodeOutOfRange;
                accepted = *value >= 0 && *value <= kMaxCode;
                if (accepted) pendingCode = static_cast<std::uint32_t>(*value);
                pending = accepted;
            } else {
                kind = *value < 0 ? TukReadError::Kind::SerialTooSmall
                                  : TukReadError::Kind::SerialOutOfRange;
                accepted = *value >= std::numeric_limits<std::int32_t>::min() &&
                           *value <= std::numeric_limits<std::int32_t>::max();
                if (accepted) {
                    result.entries.push_back({pendingCode, static_cast<std::int32_t>(*value)});
                    pending = false;
                }
            }
        }
        if (!accepted) {
            result.entries.clear();
            result.entries.shrink_to_fit();
            result.error = errorAt(bytes, start, word, kind);
            return result;
        }
    }
    result.cutPair = pending;
    return result;
}

Table makeTukRecords(std::span<const TukEntry> entries, RecordPool& pool) {
    Table table;
    table.reserve(entries.size());
    for (const TukEntry& e : entries) {
        Combination* rec = pool.make();
        rec->code = e.code;
        rec->serial = e.serial;
        table.push_back(rec);
    }
    return table;
}

} // namespace kviro
