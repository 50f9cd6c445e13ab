// The entry row of the TUK panel, the strike-out of what a TUK row covers, and the purge of
// the rows that strike-out marked with NP.
#pragma once

#include "core/Probability.h"
#include "core/RecordPool.h"
#include "core/Toto13class.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace kviro {

// Message for a field that holds a number other than 0, 1 or 2.
inline constexpr const char* kEntrySignMessage =
    "Kombinacija smije sadržavati samo znakove 0, 1 i 2 !";
// Message when TUK already holds the combination.
inline constexpr const char* kTukHoldsMessage = "TUK već sadrži kombinaciju koju želite dodati !";

// tukSource of a TUK row: where it was taken from.
enum TukSource : std::int8_t { FromNetwork = 0, FromPot11 = 1, FromPota12 = 2 };

struct EntryRow {
    enum Problem { Ok, NotANumber, NotASign };
    Problem problem = Ok;
    int field = 0;   // 1 ... 13: the first field with the problem
    Digits digits{}; // the signs when Ok
};

// Reads Edit1 ... Edit13 (match 1 first): each a decimal integer, and each 0, 1 or 2.
EntryRow readEntryRow(const std::array<std::string_view, kMatches>& fields);

// True when a TUK row has this code.
bool tukHolds(const Table& tuk, std::uint32_t code);

enum class TukAdd { Added, AlreadyInTuk };

// Adds a row with the given signs at the top of TUK: a new record of `pool` valued by `p`, with
// tukSource = `source`. Nothing is added (and nothing made) when TUK already holds the code.
TukAdd addToTuk(Table& tuk, const Digits& digits, std::int8_t source, const ProbabilityTable& p,
                RecordPool& pool);

struct StrikeOut {
    std::size_t removed = 0; // rows that left MREZA
    std::size_t marked = 0;  // rows left with NP 1 (sources 0 and 2)
};

// "OK" on TUK row t. tukSource 1: every MREZA row within two differing signs of t leaves MREZA.
// Otherwise: rows within one sign leave; every remaining row gets NP 0, except those at exactly
// two differences, which get NP 1. MREZA keeps its order.
StrikeOut strikeOut(Table& mreza, const Combination& t);

// The purge when "Jedanaesterac" follows "Dvanaesterac": MREZA keeps, in order, only its rows
// with NP 0. Returns the rows removed.
std::size_t purgeNpMarked(Table& mreza);

} // namespace kviro
