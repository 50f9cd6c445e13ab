#include "core/TukEntry.h"

#include "core/MoreFilters.h"
#include "core/NumberText.h"

namespace kviro {

EntryRow readEntryRow(const std::array<std::string_view, kMatches>& fields) {
    EntryRow row;
    for (int k = 0; k < kMatches; ++k) {
        const auto value = parseInteger(fields[static_cast<std::size_t>(k)]);
        if (!value) return {EntryRow::NotANumber, k + 1, {}};
        if (*value < 0 || *value > 2) return {EntryRow::NotASign, k + 1, {}};
        row.digits[static_cast<std::size_t>(k)] = *value;
    }
    return row;
}

bool tukHolds(const Table& tuk, std::uint32_t code) {
    for (const Combination* r : tuk)
        if (r->code == code) return true;
    return false;
}

TukAdd addToTuk(Table& tuk, const Digits& digits, std::int8_t source, const ProbabilityTable& p,
                RecordPool& pool) {
    if (tukHolds(tuk, codeOf(digits))) return TukAdd::AlreadyInTuk;
    Combination* rec = pool.make();
    combinationCode(*rec, digits);
    valueCombination(*rec, p);
    rec->tukSource = source;
    tuk.insert(tuk.begin(), rec);
    return TukAdd::Added;
}

// One pass over the network: the strike must close the gaps of the rows it removes, so it
// reads every row pointer anyway, and a look-up by rank (core/CodeSpace.h) would first need an
// index of this very network. The automatic run, which strikes thousands of times over one
// network, strikes through its RankIndex.
StrikeOut strikeOut(Table& mreza, const Combination& t) {
    StrikeOut result;
    const std::uint32_t code = t.code;
    const std::size_t n = mreza.size();
    std::size_t out = 0;
    if (t.tukSource == FromPot11) {
        for (std::size_t i = 0; i < n; ++i) {
            if (i + 16 < n) __builtin_prefetch(mreza[i + 16]);
            Combination* r = mreza[i];
            mreza[out] = r;
            out += signDifferences(code, r->code) >= 3 ? 1 : 0;
        }
    } else {
        for (std::size_t i = 0; i < n; ++i) {
            if (i + 16 < n) __builtin_prefetch(mreza[i + 16], 1);
            Combination* r = mreza[i];
            const int d = signDifferences(code, r->code);
            r->np = d == 2 ? 1 : 0;
            result.marked += d == 2 ? 1 : 0;
            mreza[out] = r;
            out += d >= 2 ? 1 : 0;
        }
    }
    result.removed = n - out;
    mreza.resize(out);
    return result;
}

std::size_t purgeNpMarked(Table& mreza) {
    return filterTable(mreza, [](const Combination& r) { return r.np == 0; });
}

} // namespace kviro
