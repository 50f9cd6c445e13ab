// The .TUK file: one line "code place" per paid-in combination, CR LF line ends.
#pragma once

#include "core/RecordPool.h"
#include "core/Toto13class.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kviro {

// The bytes of the .TUK file of a table: for entry i, its code, one blank, i + 1, CR LF.
// An empty table gives no bytes at all.
std::string tukFileBytes(const Table& table);

// One pair read from a .TUK file.
struct TukEntry {
    std::uint32_t code = 0;
    std::int32_t serial = 0;
    friend bool operator==(const TukEntry&, const TukEntry&) = default;
};

// Where the reader stopped on text it could not take. Lines and columns count from 1;
// a line ends with LF, columns count bytes (a CR before the LF is the last column).
struct TukReadError {
    enum class Kind {
        NotANumber,       // a word that is not a decimal integer
        CodeOutOfRange,   // a first number outside 0 ... 44,739,242
        SerialOutOfRange, // a second number above the range of a 32-bit signed integer
        SerialTooSmall    // a second number below it
    };
    Kind kind = Kind::NotANumber;
    std::size_t offset = 0; // byte offset of the word's first character
    int line = 1;
    int column = 1;
    std::string word; // the offending word, cut to at most 20 bytes
};

struct TukReadResult {
    std::vector<TukEntry> entries; // every pair, in file order; empty when error is set
    std::optional<TukReadError> error;
    // True when the file ended after the first number of a pair; that number gives no entry.
    bool cutPair = false;
    bool ok() const { return !error.has_value(); }
};

// Reads the pairs of a .TUK file. A UTF-8 byte-order mark at the start is skipped. Numbers are
// words separated by any white space (blanks, tabs, CR, LF, ...): the two numbers of a pair may
// stand on different lines, and empty lines count for nothing. A number is an optional sign and
// decimal digits. The first word that is not such a number, a code outside 0 ... 44,739,242 or a
// place outside the 32-bit range stops the read: the result then carries the error and no entries,
// so the caller can keep the table it had. Codes with a base-4 digit 3 inside the range are taken
// as they stand; places are not checked for order or duplicates.
TukReadResult readTuk(std::string_view bytes);

// New records for the entries, in order: code and serial from the entry, np and every other
// field zero (the sign counts too).
Table makeTukRecords(std::span<const TukEntry> entries, RecordPool& pool);

} // namespace kviro
