#include "files/record_file.h"

#include "files/file_save.h"

namespace vor {

bool RecordFile::Open(const QString& path) {
  Close();
  error_ = SaveTargetProblem(path);
  if (!error_.isEmpty()) return false;
  file_.setFileName(path);
  // Unbuffered: every record reaches the system as it is appended, and a full disk is seen at
  // the record that did not fit.
  if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
    error_ = file_.errorString();
    return false;
  }
  return true;
}

bool RecordFile::Append(QByteArrayView record) {
  if (!file_.isOpen()) return false;
  const qint64 before = file_.pos();
  if (WriteWhole(file_, record, error_)) return true;
  // A record cut short would be read as a whole one with parts missing.
  file_.resize(before);
  file_.close();
  return false;
}

void RecordFile::Close() {
  if (!file_.isOpen()) return;
  file_.close();
}

}  // namespace vor
