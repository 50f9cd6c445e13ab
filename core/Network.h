// The network MREZA, its hand-over copy MREZA0 and TUK: hand-over, copies, the figures of the
// Info window and the network list's sorts.
#pragma once

#include "core/Toto13class.h"

#include <cstddef>
#include <string>

namespace kviro {

struct HandOver {
    std::size_t rows = 0;
    double manaSum = 0.0; // sum of the rows' mana, in table order
};

// "MORE = MREŽA" on a MORE already sorted by MANA: every MORE row gets its 1-based place as
// ordinal and goes, in order, into MREZA and MREZA0 (the very rows); TUK is emptied.
HandOver handOverNetwork(const Table& more, Table& mreza, Table& mreza0, Table& tuk);

// Texts of the network window's head: MREZANum (the count) and MANUNum (the sum, fixed
// notation, 7 significant digits, 2 decimals).
std::string networkCountText(std::size_t rows);
std::string networkManaText(double sum, char sep);

// "TUK = MREŽA": TUK becomes the very rows of MREZA, in order.
void copyNetworkToTuk(const Table& mreza, Table& tuk);
// "MREŽA = MREŽA0": MREZA becomes the rows of MREZA0 again, in hand-over order.
void restoreNetwork(Table& mreza, const Table& mreza0);

// Sum of the rows' mana in table order, in double precision.
double manaSum(const Table& table);

// The eight value labels of the Info window.
struct NetworkInfo {
    std::string mrezaRows;        // Label5
    std::string mrezaPercent;     // Label6, "45.00 %"
    std::string mrezaMana;        // Label9
    std::string mrezaManaPercent; // Label10
    std::string tukRows;          // Label7
    std::string tukPercent;       // Label8, of MREZA0's rows, rounded to two decimals
    std::string tukMana;          // Label11
    std::string tukManaPercent;   // Label12
};

// The Info figures from the tables and the hand-over sum `manuNum` (the number shown in
// MANUNum). Row percentages are whole numbers of MREZA0's rows ("0.00 %" when MREZA0 is
// empty); MANA percentages divide by manuNum and read "0.00" when it is 0.
NetworkInfo networkInfo(const Table& mreza, const Table& mreza0, const Table& tuk, double manuNum,
                        char sep);

// A click on a section of the network list's header: 2 TIP, 3 MANA, 4 NP (highest first; rows
// equal in the keys keep their order); 0 and 1 do nothing. Returns true when MREZA was sorted.
bool sortNetworkBySection(Table& mreza, int section);

} // namespace kviro
