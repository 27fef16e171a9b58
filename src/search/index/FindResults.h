#pragma once

#include "data/DynamicArrays.h"

// The pages an index search found: entry i of Titles names the page whose
// path is entry i of Files. The caller owns the record; a search appends.
struct RFindResults {
    TDynamicStringArray Files;
    TDynamicStringArray Titles;
};
