#include "live/live_recorder.h"

#include "live/live_record.h"

namespace vor {

bool LiveRecorder::Start(const QString& path, const DefinitionSet& set) {
  Stop();
  set_ = &set;
  slots_ = LiveSlotWalk(set);
  path_ = path;
  rows_ = 0;
  if (!file_.Open(path)) return false;
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

void LiveRecorder::Stop() { file_.Close(); }

bool LiveRecorder::WriteLine(const QString& line) {
  // Line ends as vor-cli monitor prints them, so a recording and its output read alike.
  return file_.Append((line + u'\n').toUtf8());
}

}  // namespace vor
