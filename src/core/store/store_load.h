#pragma once
// Opening the data file at start: read it, or create a default one, keeping
// a copy of a file that is rejected.

#include <string>

#include "core/store/store.h"

enum class LoadOutcome {
    Read,               // an existing file was read
    Created,            // no file: a default one was created
    ReplacedBad,        // rejected header: backed up, replaced by a default file
    ReplacedUnreadable, // could not be read: backed up, replaced
    KeptUnreadable      // rejected, and no backup could be written: the file is left
                        // alone and this run works on defaults in memory only
};

// Zeroes the tables, then reads or creates the file at store.path.
LoadOutcome LoadStoreFile(Store& store, const std::string& siteUrl, const std::string& addedAt);
