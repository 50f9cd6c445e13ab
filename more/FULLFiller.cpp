#include "more/FULLFiller.h"

#include "core/Fillerthread.h"

void FULLFiller::run() { kviro::generateAllCombinations(more_, pool_, stop_); }
