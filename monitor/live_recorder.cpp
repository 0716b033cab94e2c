#include "monitor/live_recorder.h"

#include "monitor/live_record.h"

namespace vor {

bool LiveRecorder::Start(const QString& path, const DefinitionSet& set) {
  Stop();
  set_ = &set;
  slots_ = LiveSlotWalk(set);
  path_ = path;
  rows_ = 0;
  error_.clear();
  file_.setFileName(path);
  // Unbuffered: every row reaches the system as it is written, and a full disk is seen at the
  // row that did not fit.
  if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
    error_ = file_.errorString();
    return false;
  }
  return WriteLine(CsvHeader(LiveColumns(set, slots_)));
}

bool LiveRecorder::Add(const LivePoll& poll) {
  if (!Recording()) return false;
  if (rows_ == 0) firstUs_ = poll.timeUs;
  const LiveRecord record = MakeLiveRecord(*set_, slots_, poll.block.bytes, poll.answered[0],
                                           (poll.timeUs - firstUs_) / 1000);
  if (!WriteLine(CsvRow(record))) return false;
  ++rows_;
  return true;
}

void LiveRecorder::Stop() {
  if (file_.isOpen()) file_.close();
}

bool LiveRecorder::WriteLine(const QString& line) {
  // Line ends as vor-cli monitor prints them, so a recording and its output read alike.
  const QByteArray bytes = (line + u'\n').toUtf8();
  const qint64 before = file_.pos();
  // A short write is retried, which either finishes the line or fails with the system's reason.
  qint64 written = 0;
  while (written < bytes.size()) {
    const qint64 n = file_.write(bytes.constData() + written, bytes.size() - written);
    if (n <= 0) break;
    written += n;
  }
  if (written == bytes.size()) return true;
  error_ = file_.errorString();
  // A row cut short would be read as a row with missing columns.
  file_.resize(before);
  file_.close();
  return false;
}

}  // namespace vor
