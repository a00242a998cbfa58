#pragma once
// Moving a whole data file in and out: the compacted export, the check of a
// file offered for import, and the import that replaces the data file.

#include <string>

#include "core/store/store.h"

// Writes a compacted copy of the data file `source` to `target`: live records
// only, in file order, renumbered from 0, and category ids renumbered to their
// rows. The copy is complete or not there at all. 0, or -1 when the source
// cannot be read, is too short to be a data file, is the target itself, or
// the target cannot be written (an existing target is then left as it was).
int ExportStore(const std::string& target, const std::string& source);

enum class ImportCheck { Ok, CannotOpen, BadFormat };
// The header check on the first bytes of a file offered for import.
ImportCheck CheckImportFile(const std::string& path);

enum class ImportOutcome {
    Imported,   // the data file is now the chosen file and the store holds it
    CannotOpen, // the chosen file cannot be read: nothing changed
    BadFormat,  // the chosen file fails the header check: nothing changed
    NotWritten, // the data file could not be replaced: nothing changed
    Restored,   // the new file could not be read back: the old one is back
    Failed      // ... and the old one could not be put back: it is in the backup
};
// A file offered for import, read as far as a data file can reach: its header
// first, then no more than the records it counts, so a large file that is no
// data file costs the read of a header. `bytes` is set when `outcome` is
// Imported; otherwise it is CannotOpen or BadFormat.
struct OfferedFile {
    ImportOutcome outcome = ImportOutcome::Imported;
    std::string bytes;
};
OfferedFile ReadOfferedFile(const std::string& chosen);
// Replaces the data file by an offered file's bytes and reads the store from
// it. The old file is kept in ImportBackupPath() until the new one has been
// read.
ImportOutcome ImportStoreBytes(Store& store, const std::string& bytes);
// Both at once.
ImportOutcome ImportStoreFile(Store& store, const std::string& chosen);
std::string ImportBackupPath(const std::string& dataFile);
