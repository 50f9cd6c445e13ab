// The statistics of the info window: live and deleted rows and MANA of MORE.
#pragma once

#include "core/Toto13class.h"

#include <string>

namespace kviro {

// The eight texts of the info window, named after its labels.
struct InfoTexts {
    std::string Label5;  // live rows
    std::string Label6;  // live rows, per cent of the full table
    std::string Label7;  // deleted rows
    std::string Label8;  // deleted rows, per cent
    std::string Label9;  // live MANA
    std::string Label10; // live MANA, per cent of the full table's 1,594,323
    std::string Label11; // deleted MANA
    std::string Label12; // deleted MANA, per cent
};

// The info window's texts for MORE, with the user's decimal separator `sep`. The MANA sum is
// taken in double precision (manaSum): a float running sum over the full table is off by about
// a thousand.
InfoTexts infoTexts(const Table& more, char sep);

} // namespace kviro
