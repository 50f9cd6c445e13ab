// Every table of the workbench, with the pool its records come from.
#pragma once

#include "core/RecordPool.h"
#include "core/Toto13class.h"

namespace kviro {

struct Tables {
    Table MORE;   // the working table
    Table MORE0;  // snapshot for the reset command
    Table MREZA;  // the network
    Table MREZA0; // the network as handed over
    Table TUK;    // paid-in combinations
    Table POTA12; // 12-hit candidates
    Table POT11;  // 11-hit candidates
    RecordPool pool;

    // Releases the records no table refers to any more (in whole blocks).
    void sweep() { pool.sweep({&MORE, &MORE0, &MREZA, &MREZA0, &TUK, &POTA12, &POT11}); }
    // Empties every table and releases every record.
    void releaseAll() {
        for (Table* t : {&MORE, &MORE0, &TUK, &MREZA, &MREZA0, &POT11, &POTA12}) Table().swap(*t);
        pool.clear();
    }
};

} // namespace kviro
