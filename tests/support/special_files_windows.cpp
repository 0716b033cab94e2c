// Windows: no named pipes in folders and no file size limit; devices by their reserved names.
#include "tests/support/special_files.h"

namespace vor::test {

bool HasPosixFiles() { return false; }
bool MakeFifo(const QString&) { return false; }
int OpenFifoReader(const QString&) { return -1; }
void CloseFifoReader(int) {}
bool MakeDeviceNode(const QString&) { return false; }

// The reserved names lead to the device in every folder and with any extension; "\\.\" names
// a device of the system's device namespace.
QStringList DeviceNames() {
  return {"NUL",         "con",        "COM1", "lpt3.txt", "C:\\Temp\\aux.csv",
          "\\\\.\\COM7", "\\\\.\\NUL", "nul "};
}

FileSizeLimit::FileSizeLimit(qint64) {}
FileSizeLimit::~FileSizeLimit() = default;

}  // namespace vor::test
