#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

#include "definitions/definition_set.h"
#include "files/record_file.h"
#include "link/live_block.h"
#include "pages/live_items.h"

namespace vor {

// A recording of the Monitor's polls into a CSV file: the header and rows of vor-cli monitor,
// one row per poll handed to it, each written out at once so that the file is complete up to the
// last poll whatever happens to the program (a RecordFile, with a saved file's rules for the
// target). After a write error the file ends with the last whole row.
class LiveRecorder {
public:
  LiveRecorder() = default;
  ~LiveRecorder() { Stop(); }
  LiveRecorder(const LiveRecorder&) = delete;
  LiveRecorder& operator=(const LiveRecorder&) = delete;

  // Starts recording the items of `set` (which must outlive the recording) into `path`, which is
  // created or emptied, and writes the header. False, with Error() set and nothing recording,
  // when `path` is not a file (a folder, a device, a pipe), cannot be opened or the header not
  // written. A recording already running is stopped first.
  bool Start(const QString& path, const DefinitionSet& set);
  // Writes `poll` as one row; its time_ms counts from the first poll of the recording. False
  // when the row could not be written whole: the recording has then stopped, the part of the row
  // that was written is taken back where the file allows it, and Error() says why.
  bool Add(const LivePoll& poll);
  // Closes the file. Does nothing while no recording runs.
  void Stop();

  bool Recording() const { return file_.IsOpen(); }
  // Rows written in the current (or last) recording, the header not counted.
  std::int64_t Rows() const { return rows_; }
  QString Path() const { return path_; }
  // Why the last Start or Add failed, without the path.
  QString Error() const { return file_.Error(); }

private:
  bool WriteLine(const QString& line);

  RecordFile file_;
  const DefinitionSet* set_ = nullptr;
  LiveSlots slots_;
  QString path_;
  std::int64_t rows_ = 0;
  std::int64_t firstUs_ = 0;
};

}  // namespace vor
