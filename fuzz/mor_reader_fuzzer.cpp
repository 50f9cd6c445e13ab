// Feeds arbitrary bytes to the .MOR reader: whole and in pieces, then checks what it loaded.
#include "core/MorFile.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using namespace kviro;

namespace {

void check(bool ok) {
    if (!ok) __builtin_trap();
}

// One set of tables for the whole run: loads replace each other, as in the workbench.
Tables& tables() {
    static Tables t;
    return t;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Tables& t = tables();
    const Table before = t.MORE;
    const MorReadResult whole = loadMor(t, text);

    if (!whole.ok()) {
        check(whole.badLine >= 1);
        const MorLineFault& f = whole.fault;
        check(f.word.size() <= 20);
        if (f.kind != MorLineFault::Kind::TooLong && f.kind != MorLineFault::Kind::FieldCount)
            check(f.field >= 1 && f.field <= 6);
        check(t.MORE == before); // a bad file changes nothing
    } else {
        check(t.MORE0 == t.MORE);
        for (const Combination* c : t.MORE) {
            check(c->code <= kMaxCode);
            check(c->count0 >= 0 && c->count0 <= kMatches);
            check(c->count1 >= 0 && c->count1 <= kMatches);
            check(c->count2 >= 0 && c->count2 <= kMatches);
            check(c->hitCount == 0 && c->ordinal == 0);
            check(!std::isnan(c->mana));
        }
        // Saving what was loaded and loading it again reaches a fixed point.
        const std::string saved = morText(t.MORE);
        const std::size_t rows = t.MORE.size();
        check(loadMor(t, saved).ok());
        check(t.MORE.size() == rows);
        check(morText(t.MORE) == saved);
    }

    // The same bytes in pieces give the same answer.
    const std::size_t piece = size == 0 ? 1 : data[0] % 17 + 1;
    MorReader reader(t.pool);
    for (std::size_t at = 0; at < size; at += piece)
        if (!reader.feed(text.substr(at, piece))) break;
    const MorReadResult pieces = reader.finish();
    check(pieces.badLine == whole.badLine);
    if (whole.ok()) check(pieces.rows.size() == t.MORE.size());
    t.sweep();
    return 0;
}
