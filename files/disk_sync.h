#pragma once

#include <QString>

namespace vor {

// Makes the system write the open file `handle` (a file descriptor) to its disk before it
// returns. False with `reason` set when the system reports that it could not (a full disk
// that only says so now, an I/O error). Where the system offers no such call it does nothing
// and returns true.
bool SyncToDisk(int handle, QString& reason);

}  // namespace vor
