// The .MOR file: a saved MORE table, one line "code mana count0 count1 count2 np" per row.
// MANA has 6 decimals and a full stop whatever the locale; lines end with CR LF.
#pragma once

#include "core/Tables.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace kviro {

// File name for the workbench's name field: the text followed by ".MOR"; empty for no text.
std::string morFileName(std::string_view name);

// Writes the table's lines in order, handing the bytes to `sink` in pieces of up to 1 MiB.
void writeMor(const Table& table, const std::function<void(std::string_view)>& sink);
// The whole file as one string.
std::string morText(const Table& table);

// Why a line is not a valid row.
struct MorLineFault {
    enum class Kind {
        TooLong,    // more than kMorMaxLineLength characters
        FieldCount, // not six fields
        NotANumber, // a field that is not a number (NaN included)
        TooLarge,   // a number above its field's range
        TooSmall    // a number below it
    };
    Kind kind = Kind::FieldCount;
    int fields = 0;      // FieldCount: how many the line has (7 stands for "more than six")
    int field = 0;       // the bad field, 1 ... 6
    std::int64_t lo = 0; // TooLarge, TooSmall: the field's range
    std::int64_t hi = 0;
    std::string word; // the field's text, cut to at most 20 bytes
};

constexpr std::ptrdiff_t kMorMaxLineLength = 4096;

// Result of reading a .MOR input: the rows in file order, or why nothing was read.
struct MorReadResult {
    Table rows;              // empty unless ok()
    std::size_t badLine = 0; // 1-based number of the first line that is not a valid row
    MorLineFault fault;      // what is wrong with it
    bool readFailed = false; // the input could not be read to its end
    bool ok() const { return badLine == 0 && !readFailed; }
};

// Reads .MOR input piece by piece, making one record per line in `pool` (code, mana, counts and
// np from the line, every other field zero); no table is touched. A valid line holds six
// numbers separated by blanks or tabs: code 0 ... 44739242, a float MANA (not NaN; infinite
// values, which the program writes, are taken), counts 0 ... 13 (taken as they are, even when
// they contradict the code) and np -128 ... 127. Lines end with LF or CR LF; the last one may
// lack its line end; lines of white space only are skipped; a line of more than 4096 characters
// is not valid. A UTF-8 byte-order mark at the start of the input is skipped. After a bad line the
// records made so far are left unreferenced in the pool for its next sweep.
class MorReader {
public:
    // `sizeHint`: the input's size in bytes when known, so the table is reserved once.
    explicit MorReader(RecordPool& pool, std::size_t sizeHint = 0);
    // The next piece of input; a line may continue in the next piece. Returns false once a bad
    // line has been met (later pieces are ignored).
    bool feed(std::string_view piece);
    // Ends the input (a last line without line end is read here) and hands over the result.
    MorReadResult finish();

private:
    bool feedText(std::string_view piece);
    bool readLine(const char* first, const char* last);
    RecordPool& pool_;
    std::size_t bomSeen_ = 0; // bytes of a byte-order mark met at the start so far
    bool atStart_ = true;
    MorReadResult result_;
    std::string partial_; // start of a line continued in the next piece
    std::size_t line_ = 1;
};

// The whole input at once.
MorReadResult readMor(std::string_view text, RecordPool& pool);

// Reads a whole .MOR input and, only when every line is valid, puts it into the tables: MORE
// holds the new records and MORE0 a copy of MORE. Otherwise the tables are left as they were.
// Either way, records no table refers to any more are then released. Returns the result
// without its rows.
MorReadResult loadMor(Tables& t, std::string_view text);

// Source of input for loadMor: fills `buf` with up to `cap` bytes and returns how many, 0 at
// the end of the input, or a negative number when reading fails.
using MorSource = std::function<long long(char* buf, std::size_t cap)>;
MorReadResult loadMor(Tables& t, const MorSource& source, std::size_t sizeHint = 0);

} // namespace kviro
