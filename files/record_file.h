#pragma once

#include <QByteArrayView>
#include <QFile>
#include <QString>

namespace vor {

// A file that grows a record at a time, for a recording: it cannot be saved whole at the end, so
// each record goes to the system as it is appended, with nothing held back in the program, and
// the file holds every record appended so far whatever becomes of the program. The targets that
// SaveFile refuses are refused here too, and a record that cannot be written whole is taken back
// and ends the file.
class RecordFile {
public:
  RecordFile() = default;
  RecordFile(const RecordFile&) = delete;
  RecordFile& operator=(const RecordFile&) = delete;

  // Creates `path`, or empties it, and keeps it open. False with Error() set when the target is
  // refused or cannot be opened; nothing is open then.
  bool Open(const QString& path);
  // Appends `record` whole. False when it could not be (a failed or short write): what part of
  // it was written is taken back where the file allows it, the file is closed and Error() says
  // why.
  bool Append(QByteArrayView record);
  // Closes the file. Does nothing while no file is open.
  void Close();

  bool IsOpen() const { return file_.isOpen(); }
  // Why the last Open or Append failed, without the path.
  QString Error() const { return error_; }

private:
  QFile file_;
  QString error_;
};

}  // namespace vor
