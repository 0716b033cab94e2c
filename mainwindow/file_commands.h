#pragma once

#include <QCoreApplication>
#include <QString>
#include <optional>

#include "link/config_image.h"
#include "pages/program_state.h"
#include "report/report_pdf.h"
#include "resources/prompter.h"

namespace vor {

class MenuDialogs;

// The File menu's work with files: configuration files (the raw 128-byte image, as vor-cli
// reads and writes them) and the exported record. It asks for the file names and tells the
// user what went wrong; the main window runs the pages' store pass before and shows the pages
// after.
class FileCommands {
  Q_DECLARE_TR_FUNCTIONS(vor::FileCommands)

public:
  FileCommands(ProgramState& state, Prompter& prompter, MenuDialogs& dialogs)
      : state_(state), prompter_(prompter), dialogs_(dialogs) {}

  // Asks for a configuration file and reads it. Returns its image when it fits the loaded
  // definitions, with `path` set; nullopt when the user cancelled, or after telling them why
  // the file was refused (not 128 bytes, another model, script or special version). Nothing of
  // the program's state changes here.
  std::optional<ConfigImage> AskImageToOpen(QString& path);

  // Asks for a file name and saves the image there atomically. Returns the file saved; empty when
  // the user cancelled or it could not be saved (after telling them why).
  QString SaveImageAs();

  // Asks for a file name and writes the configuration as the pages show it, as CSV or JSON by
  // the name's extension (.csv when it has none). Returns the file written; empty when the user
  // cancelled or it could not be written (after telling them why).
  QString ExportParameters();

  // Asks for a file name and makes `report` a PDF there on `paper`. Returns the file made; empty
  // when the user cancelled or it could not be made (after telling them why).
  QString SaveVisitReport(const VisitReport& report, ReportPaper paper);

  // The folder the file dialogs start in, until the user picks another.
  void SetFolder(const QString& folder) { folder_ = folder; }
  // The folder the file dialogs start in: the last one used, or the user's documents. The live
  // tools' dialogs share it.
  QString Folder() const;

private:
  // A name for the controller's files in Folder(): module name and serial number.
  QString SuggestedPath(const QString& extension) const;
  void Tell(const QString& text);

  ProgramState& state_;
  Prompter& prompter_;
  MenuDialogs& dialogs_;
  QString folder_;  // where the last file was opened or saved, for the next dialog
};

}  // namespace vor
