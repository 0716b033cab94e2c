#include "mainwindow/file_commands.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "files/backup_store.h"
#include "files/configuration_record.h"
#include "files/definitions_match.h"
#include "files/image_file.h"
#include "mainwindow/menu_dialogs.h"

namespace vor {
namespace {

// The file types' descriptions are translated; their patterns stay as they are.
QString ImageFilter() {
  return QCoreApplication::translate("vor::FileCommands", "Configurations (*.bin);;All files (*)");
}
const QString kExportFilter = QStringLiteral("CSV (*.csv);;JSON (*.json)");

// A name typed without an extension gets `extension`, as the dialog's filter suggests.
QString WithExtension(const QString& path, const QString& extension) {
  return QFileInfo(path).suffix().isEmpty() ? path + u'.' + extension : path;
}

}  // namespace

std::optional<ConfigImage> FileCommands::AskImageToOpen(QString& path) {
  path = dialogs_.OpenFileName(tr("Open Configuration"), ImageFilter(), Folder());
  if (path.isEmpty()) return std::nullopt;
  folder_ = QFileInfo(path).absolutePath();
  ConfigImage image;
  QString error;
  if (!LoadImageFile(path, image, error)) {
    Tell(tr("The configuration was not opened: %1.\nNothing was changed.").arg(error));
    return std::nullopt;
  }
  if (const QString reason = DefinitionsMismatch(image, *state_.definitions); !reason.isEmpty()) {
    Tell(
        tr("%1 was not opened: %2.\nNothing was changed.").arg(QFileInfo(path).fileName(), reason));
    return std::nullopt;
  }
  return image;
}

QString FileCommands::SaveImageAs() {
  QString path = dialogs_.SaveFileName(tr("Save Configuration As"), ImageFilter(),
                                       SuggestedPath(QStringLiteral("bin")));
  if (path.isEmpty()) return {};
  path = WithExtension(path, QStringLiteral("bin"));
  folder_ = QFileInfo(path).absolutePath();
  QString error;
  if (!SaveImageFile(path, state_.image, error)) {
    Tell(tr("The configuration was not saved: %1.").arg(error));
    return {};
  }
  return path;
}

QString FileCommands::ExportParameters() {
  QString path = dialogs_.SaveFileName(tr("Export Parameters"), kExportFilter,
                                       SuggestedPath(QStringLiteral("csv")));
  if (path.isEmpty()) return {};
  path = WithExtension(path, QStringLiteral("csv"));
  folder_ = QFileInfo(path).absolutePath();
  const ConfigurationRecord record =
      RecordConfiguration(state_.image, *state_.definitions, QDateTime::currentDateTime());
  QString error;
  if (!ExportRecord(path, record, error)) {
    Tell(tr("The parameters were not exported: %1.").arg(error));
    return {};
  }
  return path;
}

QString FileCommands::SaveVisitReport(const VisitReport& report, ReportPaper paper) {
  const QString suggested =
      QDir(Folder()).filePath(QStringLiteral("%1-%2-report-%3.pdf")
                                  .arg(BackupModuleName(state_.image), BackupSerial(state_.image),
                                       report.made.toString(QStringLiteral("yyyyMMdd"))));
  QString path =
      dialogs_.SaveFileName(tr("Service Report"), tr("PDF documents (*.pdf)"), suggested);
  if (path.isEmpty()) return {};
  path = WithExtension(path, QStringLiteral("pdf"));
  folder_ = QFileInfo(path).absolutePath();
  QString error;
  if (!SaveVisitReportPdf(report, paper, path, error)) {
    Tell(tr("The report was not made: %1.").arg(error));
    return {};
  }
  return path;
}

QString FileCommands::Folder() const {
  if (!folder_.isEmpty()) return folder_;
  // A documents folder that does not exist would be offered as a file name in the home folder.
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

QString FileCommands::SuggestedPath(const QString& extension) const {
  return QDir(Folder()).filePath(
      QStringLiteral("%1-%2.%3")
          .arg(BackupModuleName(state_.image), BackupSerial(state_.image), extension));
}

void FileCommands::Tell(const QString& text) {
  prompter_.AskText(text, Buttons::Ok, Icon::Warning);
}

}  // namespace vor
