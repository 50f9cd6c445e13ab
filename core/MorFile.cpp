#include "core/MorFile.h"

#include "core/TextInput.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <memory>

namespace kviro {

namespace {

// Room for one line: the longest, with a MANA near FLT_MAX (47 characters), is under 80.
constexpr std::size_t kLineRoom = 128;

// Non-negative integer below 10^10 as decimal digits; returns the end.
char* putUnsigned(char* p, std::uint64_t v) {
    char tmp[20];
    int n = 0;
    do {
        tmp[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v != 0);
    while (n > 0) *p++ = tmp[--n];
    return p;
}

char* putInt(char* p, int v) {
    if (v < 0) {
        *p++ = '-';
        return putUnsigned(p, static_cast<std::uint64_t>(-static_cast<std::int64_t>(v)));
    }
    return putUnsigned(p, static_cast<std::uint64_t>(v));
}

// MANA with exactly 6 decimals, as printf's "%f" gives it in the C locale.
char* putMana(char* p, char* end, float mana) {
    // float * 10^6 needs at most 24 + 14 bits and is exact in a double, so one rounding to an
    // integer (ties to even, as printf rounds an exact tie) gives the six decimals.
    const double scaled = static_cast<double>(mana) * 1e6;
    if (std::isfinite(scaled) && std::fabs(scaled) < 0x1p53) {
        const double r = std::nearbyint(std::fabs(scaled));
        const auto units = static_cast<std::uint64_t>(r);
        if (std::signbit(mana)) *p++ = '-';
        p = putUnsigned(p, units / 1000000);
        *p++ = '.';
        std::uint64_t frac = units % 1000000;
        for (int i = 5; i >= 0; --i) {
            p[i] = static_cast<char>('0' + frac % 10);
            frac /= 10;
        }
        return p + 6;
    }
    return std::to_chars(p, end, static_cast<double>(mana), std::chars_format::fixed, 6).ptr;
}

// One line; returns its end. `end` bounds the buffer (a MANA near FLT_MAX has 39 digits).
char* putLine(char* p, char* end, const Combination& c) {
    p = putUnsigned(p, c.code);
    *p++ = ' ';
    p = putMana(p, end, c.mana);
    *p++ = ' ';
    p = putInt(p, c.count0);
    *p++ = ' ';
    p = putInt(p, c.count1);
    *p++ = ' ';
    p = putInt(p, c.count2);
    *p++ = ' ';
    p = putInt(p, c.np);
    *p++ = '\r';
    *p++ = '\n';
    return p;
}

constexpr std::ptrdiff_t kMaxLineLength = kMorMaxLineLength;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

// Decimal integer token with optional sign, within [lo, hi]; otherwise says why in `fault`.
bool parseInt(const char* first, const char* last, std::int64_t lo, std::int64_t hi,
              std::int64_t& out, MorLineFault& fault) {
    const char* p = first;
    bool negative = false;
    if (p != last && (*p == '+' || *p == '-')) negative = *p++ == '-';
    fault.kind = MorLineFault::Kind::NotANumber;
    if (p == last) return false;
    // Digits beyond the 12th only make the number larger: it is out of range either way.
    std::int64_t v = 0;
    for (; p != last; ++p) {
        const unsigned d = static_cast<unsigned>(*p - '0');
        if (d > 9) return false;
        if (v < 1'000'000'000'000) v = v * 10 + d;
    }
    if (negative) v = -v;
    if (v < lo || v > hi) {
        fault.kind = v < lo ? MorLineFault::Kind::TooSmall : MorLineFault::Kind::TooLarge;
        fault.lo = lo;
        fault.hi = hi;
        return false;
    }
    out = v;
    return true;
}

bool parseMana(const char* first, const char* last, float& out, MorLineFault& fault) {
    fault.kind = MorLineFault::Kind::NotANumber;
    if (first != last && *first == '+') {
        ++first;
        if (first != last && *first == '-') return false; // "+-1"
    }
    if (first == last) return false;
    const auto r = std::from_chars(first, last, out, std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range && r.ptr == last) {
        // Beyond the float range: the program never writes such a number.
        fault.kind = MorLineFault::Kind::TooLarge;
        fault.lo = fault.hi = 0;
        return false;
    }
    // NaN is never written by the program and would spoil every sum of the statistics.
    return r.ec == std::errc() && r.ptr == last && !std::isnan(out);
}

// Parses one line holding exactly six fields; otherwise `fault` says why. `blank` is set for a
// line of white space only.
bool parseLine(const char* p, const char* end, Combination& rec, bool& blank, MorLineFault& fault) {
    const char* tok[6][2];
    int n = 0;
    while (true) {
        while (p != end && isBlank(*p)) ++p;
        if (p == end) break;
        if (n == 6) { // a seventh field
            fault.kind = MorLineFault::Kind::FieldCount;
            fault.fields = 7;
            return false;
        }
        const char* start = p;
        while (p != end && !isBlank(*p)) ++p;
        tok[n][0] = start;
        tok[n][1] = p;
        ++n;
    }
    blank = n == 0;
    if (n != 6) {
        fault.kind = MorLineFault::Kind::FieldCount;
        fault.fields = n;
        return false;
    }
    std::int64_t v[6] = {};
    static constexpr std::int64_t kRange[6][2] = {{0, kMaxCode}, {0, 0},        {0, kMatches},
                                                  {0, kMatches}, {0, kMatches}, {-128, 127}};
    for (int f = 0; f < 6; ++f) {
        const bool good =
            f == 1 ? parseMana(tok[1][0], tok[1][1], rec.mana, fault)
                   : parseInt(tok[f][0], tok[f][1], kRange[f][0], kRange[f][1], v[f], fault);
        if (!good) {
            fault.field = f + 1;
            fault.word.assign(tok[f][0], static_cast<std::size_t>(
                                             std::min<std::ptrdiff_t>(tok[f][1] - tok[f][0], 20)));
            return false;
        }
    }
    rec.code = static_cast<std::uint32_t>(v[0]);
    rec.count0 = static_cast<std::int8_t>(v[2]);
    rec.count1 = static_cast<std::int8_t>(v[3]);
    rec.count2 = static_cast<std::int8_t>(v[4]);
    rec.np = static_cast<std::int8_t>(v[5]);
    return true;
}

} // namespace

std::string morFileName(std::string_view name) {
    if (name.empty()) return {};
    return std::string(name) + ".MOR";
}

void writeMor(const Table& table, const std::function<void(std::string_view)>& sink) {
    if (table.empty()) return;
    // 1 MiB pieces, or less for a short table.
    const std::size_t size = std::min(std::size_t{1} << 20, (table.size() + 1) * kLineRoom);
    const std::unique_ptr<char[]> buf(new char[size]);
    char* const begin = buf.get();
    char* const limit = begin + size - kLineRoom;
    char* p = begin;
    for (const Combination* rec : table) {
        p = putLine(p, p + kLineRoom, *rec);
        if (p >= limit) {
            sink(std::string_view(begin, static_cast<std::size_t>(p - begin)));
            p = begin;
        }
    }
    if (p != begin) sink(std::string_view(begin, static_cast<std::size_t>(p - begin)));
}

std::string morText(const Table& table) {
    std::string out;
    out.reserve(table.size() * 30);
    writeMor(table, [&out](std::string_view piece) { out.append(piece); });
    return out;
}

MorReader::MorReader(RecordPool& pool, std::size_t sizeHint) : pool_(pool) {
    // Lines are about 27 bytes; reserving from the size saves regrowing a large table. No file
    // the program writes holds more rows than there are combinations.
    if (sizeHint > 0)
        result_.rows.reserve(
            std::min(sizeHint / 26 + 1, static_cast<std::size_t>(kAllCombinations)));
}

bool MorReader::readLine(const char* first, const char* last) {
    bool blank = false;
    Combination parsed; // every field but the six of the line stays zero
    MorLineFault fault;
    if (last - first > kMaxLineLength) {
        fault.kind = MorLineFault::Kind::TooLong;
    } else if (parseLine(first, last, parsed, blank, fault)) {
        result_.rows.push_back(pool_.make(parsed));
        ++line_;
        return true;
    } else if (blank) {
        ++line_;
        return true;
    }
    result_.rows = {};
    result_.badLine = line_;
    result_.fault = std::move(fault);
    return false;
}

bool MorReader::feed(std::string_view piece) {
    // A byte-order mark may come split over the first pieces.
    while (atStart_ && !piece.empty()) {
        if (piece[0] != kUtf8Bom[bomSeen_]) {
            atStart_ = false;
            // What looked like the start of a mark is text after all.
            if (bomSeen_ > 0 && !feedText(kUtf8Bom.substr(0, bomSeen_))) return false;
            break;
        }
        piece.remove_prefix(1);
        if (++bomSeen_ == kUtf8Bom.size()) atStart_ = false;
    }
    return feedText(piece);
}

bool MorReader::feedText(std::string_view piece) {
    if (!result_.ok()) return false;
    const char* p = piece.data();
    const char* const end = p + piece.size();
    if (!partial_.empty()) {
        // Finish the line begun in an earlier piece.
        const void* nl = std::memchr(p, '\n', piece.size());
        const char* lineEnd = nl ? static_cast<const char*>(nl) : end;
        partial_.append(p, lineEnd);
        if (static_cast<std::ptrdiff_t>(partial_.size()) > kMaxLineLength) {
            partial_.resize(kMaxLineLength + 1); // enough to fail as too long
            if (!nl) return readLine(partial_.data(), partial_.data() + partial_.size());
        }
        if (!nl) return true;
        const bool good = readLine(partial_.data(), partial_.data() + partial_.size());
        partial_.clear();
        if (!good) return false;
        p = lineEnd + 1;
    }
    while (p != end) {
        const void* nl = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
        if (!nl) {
            const std::size_t rest = static_cast<std::size_t>(end - p);
            if (rest > static_cast<std::size_t>(kMaxLineLength)) return readLine(p, end); // too long
            partial_.assign(p, rest);
            return true;
        }
        const char* lineEnd = static_cast<const char*>(nl);
        if (!readLine(p, lineEnd)) return false;
        p = lineEnd + 1;
    }
    return true;
}

MorReadResult MorReader::finish() {
    if (atStart_ && bomSeen_ > 0) {
        atStart_ = false;
        feedText(kUtf8Bom.substr(0, bomSeen_));
    }
    if (result_.ok() && !partial_.empty()) readLine(partial_.data(), partial_.data() + partial_.size());
    partial_.clear();
    return std::move(result_);
}

MorReadResult readMor(std::string_view text, RecordPool& pool) {
    MorReader reader(pool, text.size());
    reader.feed(text);
    return reader.finish();
}

namespace {

MorReadResult commit(Tables& t, MorReadResult read) {
    if (read.ok()) {
        t.MORE = std::move(read.rows);
        t.MORE0 = t.MORE;
        read.rows = {};
    }
    t.sweep();
    return read;
}

} // namespace

MorReadResult loadMor(Tables& t, std::string_view text) { return commit(t, readMor(text, t.pool)); }

MorReadResult loadMor(Tables& t, const MorSource& source, std::size_t sizeHint) {
    MorReader reader(t.pool, sizeHint);
    std::string buf(std::size_t{1} << 20, '\0');
    bool failed = false;
    while (true) {
        const long long got = source(buf.data(), buf.size());
        if (got < 0) {
            failed = true;
            break;
        }
        if (got == 0) break;
        const std::size_t n = std::min(static_cast<std::size_t>(got), buf.size());
        if (!reader.feed(std::string_view(buf.data(), n))) break;
    }
    MorReadResult read;
    if (failed)
        read.readFailed = true; // what was read stays unreferenced and goes with the sweep
    else
        read = reader.finish();
    return commit(t, std::move(read));
}

} // namespace kviro
