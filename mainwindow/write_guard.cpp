#include "mainwindow/write_guard.h"

#include <QStringList>

#include "files/image_compare.h"
#include "files/service_history.h"
#include "link/config_transfer.h"
#include "mainwindow/menu_dialogs.h"
#include "pages/page_fields.h"

namespace vor {
namespace {

QString ByteText(std::uint8_t value) {
  return QStringLiteral("0x%1").arg(value, 2, 16, QChar(u'0'));
}

// The fields (and other bytes) whose read-back differs from what was written.
QString NotTakenText(const ImageDifferences& differences) {
  QStringList lines{QCoreApplication::translate(
      "vor::WriteGuard", "The controller did not take every value written:")};
  for (const FieldChange& change : differences.fields) {
    const QString written = change.box ? BoxStateText(change.first) : change.first;
    const QString held = change.box ? BoxStateText(change.second) : change.second;
    lines << QCoreApplication::translate("vor::WriteGuard",
                                         "%1, %2: written %3, the controller holds %4")
                 .arg(PageTitle(change.page), change.label, written, held);
  }
  for (const ByteChange& change : differences.bytes) {
    lines << QCoreApplication::translate("vor::WriteGuard",
                                         "byte %1: written %2, the controller holds %3")
                 .arg(change.addr)
                 .arg(ByteText(change.first), ByteText(change.second));
  }
  return lines.join(u'\n');
}

}  // namespace

bool WriteGuard::BeforeWrite(const WriteOptions& options) {
  before_ = state_.controllerImage;
  backup_.clear();
  readBackMatches_.reset();
  if (options.confirmWrites) {
    const ImageDifferences changes =
        state_.controllerImage
            ? CompareImages(*state_.controllerImage, state_.image, *state_.definitions)
            : ImageDifferences{};
    if (!dialogs_.ShowDifferences(changes, true)) return false;
  }
  return SaveBackup();
}

bool WriteGuard::SaveBackup() {
  const auto writeAnyway = [this](const QString& error) {
    const QString question =
        tr("The controller's configuration could not be backed up before writing: %1.\n\n"
           "Write anyway?")
            .arg(error);
    return prompter_.AskTextWithDefault(question, Buttons::YesNo, Icon::Warning, Answer::No) ==
           Answer::Yes;
  };
  if (!state_.controllerImage) {
    return writeAnyway(tr("no configuration has been read from the controller"));
  }
  return BackUpBeforeWrite(backups_, *state_.controllerImage, writeAnyway, &backup_);
}

WriteGuard::WriteCheck WriteGuard::AfterWrite(const WriteOptions& options) {
  // Every exchange was answered: the controller holds what was written, unless the read-back
  // says otherwise.
  state_.controllerImage = state_.image;
  if (!options.verifyAfterWrite) return {};
  ConfigImage readBack;
  const JobResult read = link_.RunJob(
      tr("Verifying..."), [&readBack](SerialLink& link) { return ReadImage(link, readBack); });
  if (read != JobResult::Done) {
    return {false, tr("The configuration could not be read back, so the write is not verified.")};
  }
  state_.controllerImage = readBack;
  readBackMatches_ = readBack.bytes == state_.image.bytes;
  const ImageDifferences notTaken = CompareImages(state_.image, readBack, *state_.definitions);
  if (notTaken.Empty()) return {};
  return {false, NotTakenText(notTaken)};
}

QString WriteGuard::RecordWrite(const QString& operation, const QString& port, WriteStatus status) {
  // Without an image read from the controller there is nothing to say what the write changed.
  const ConfigImage before = before_.value_or(state_.image);
  ServiceRecord record = RecordOfWrite(before, state_.image, *state_.definitions);
  record.time = QDateTime::currentDateTime();
  record.program = QStringLiteral("vor-user");
  record.version = QCoreApplication::applicationVersion();
  record.operation = operation;
  record.port = port;
  record.backup = backup_;
  record.outcome = OutcomeOfWrite(status, readBackMatches_, record.reason);
  QString error;
  if (AppendServiceRecord(ServiceHistoryPath(backups_.Folder()), record, error)) return {};
  return tr("This write could not be added to the service history: %1.\n\nThe write itself is "
            "not affected by that.")
      .arg(error);
}

}  // namespace vor
