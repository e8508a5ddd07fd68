#pragma once

#include <vector>

#include "gammamapping.h"
#include "locus.h"

// What a Smith or polar chart keeps between drawings: its history of zoomed views (the last in
// force; empty for the whole chart), the mapping of its last drawing and the loci it drew.
struct PlaneState {
    std::vector<PlaneView> zooms;
    GammaMapping mapping;
    std::vector<Locus> loci;
};
