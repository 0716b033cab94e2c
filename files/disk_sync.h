#pragma once

#include <QString>
#include <filesystem>

namespace vor {

// Makes the system write the open file `handle` (a file descriptor) to its disk before it
// returns. False with `reason` set when the system reports that it could not (a full disk
// that only says so now, an I/O error). Where the system offers no such call it does nothing
// and returns true.
bool SyncToDisk(int handle, QString& reason);

// The same for the folder `folder` itself: its list of names, so that a file just renamed into
// it keeps its new name after a power cut. A file system that cannot sync a folder counts as
// done, as does a system without the call.
bool SyncFolder(const std::filesystem::path& folder, QString& reason);

}  // namespace vor
