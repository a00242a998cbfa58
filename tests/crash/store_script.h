#pragma once
// The favorites page's operations as short tokens, so that a driver process
// and the test that kills it run exactly the same sequence, and the state of
// a store in a form that can be compared with what a file loads as.

#include <string>
#include <vector>

#include "core/store/store.h"

// One operation: a letter and a number choosing its target.
//   a add a favorite    c add a category       d delete checked favorites
//   x delete a category m move a category      k clear
//   s settings changed, then the save at close
//   i import the data file beside it named "<data file>.import" (1 when the
//     import could not be read back and the old file was put back)
// Returns the operation's result (0 or -1, as the page sees it).
int ApplyOp(Store& store, const std::string& token);

struct Snapshot {
    std::vector<std::string> categories; // name and id, in row order
    std::vector<std::string> favorites;  // position, category, address, title
    std::string settings;                // everything clearing keeps
    bool operator==(const Snapshot&) const = default;
};
Snapshot SnapshotOf(const Store& store);
