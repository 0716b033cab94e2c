#include "mainwindow/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "definitions/definition_loader.h"
#include "link/config_transfer.h"
#include "link/link_access.h"
#include "live/live_tools.h"
#include "mainwindow/menu_bar_marks.h"
#include "monitor/monitor_page.h"
#include "pages/parameter_pages.h"
#include "resources/dialog_builder.h"
#include "resources/status_colours.h"

namespace vor {
namespace {

constexpr int kReadId = kIdReadButton;
constexpr int kWriteId = kIdWriteButton;
constexpr int kMonitorId = kIdMonitorButton;
constexpr int kFirstPageButton = 1001;  // a page button's key is its id minus this

// The buttons' captions in place of the template's; in Chinese they read as the template's did.
struct Caption {
  int id;
  const char* text;
};
constexpr Caption kCaptions[] = {
    {kIdVehicleButton, QT_TRANSLATE_NOOP("vor::CVORUserDlg", "Vehicle")},
    {kIdControlButton, QT_TRANSLATE_NOOP("vor::CVORUserDlg", "Control")},
    {kIdMotorButton, QT_TRANSLATE_NOOP("vor::CVORUserDlg", "Motor")},
    {kIdReadButton, QT_TRANSLATE_NOOP("vor::CVORUserDlg", "Read")},
    {kIdWriteButton, QT_TRANSLATE_NOOP("vor::CVORUserDlg", "Write")},
    {kIdMonitorButton, QT_TRANSLATE_NOOP("vor::CVORUserDlg", "Monitor")},
    {kIdCancel, QT_TRANSLATE_NOOP("vor::CVORUserDlg", "Quit")},
};

// While it lives, the user's clicks, keys and shortcuts are dropped, whichever window they were
// meant for.
class DropUserInput : public QObject {
public:
  DropUserInput() { QCoreApplication::instance()->installEventFilter(this); }
  ~DropUserInput() override { QCoreApplication::instance()->removeEventFilter(this); }
  DropUserInput(const DropUserInput&) = delete;
  DropUserInput& operator=(const DropUserInput&) = delete;

protected:
  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::Wheel:
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::Shortcut:
      case QEvent::ContextMenu:
      case QEvent::TouchBegin:
      case QEvent::TouchUpdate:
      case QEvent::TouchEnd:
      case QEvent::TabletPress:
      case QEvent::TabletRelease:
        return true;
      default:
        return false;
    }
  }
};

}  // namespace

std::vector<std::unique_ptr<PageWindow>> CreatePages(ProgramState& state, Prompter& prompter,
                                                     LinkAccess& link) {
  std::vector<std::unique_ptr<PageWindow>> pages;
  pages.push_back(std::make_unique<CVehicleDlg>(state, prompter, link));
  pages.push_back(std::make_unique<CControlDlg>(state, prompter));
  pages.push_back(std::make_unique<CMotorDlg>(state, prompter));
  pages.push_back(std::make_unique<CMonitor1Dlg>(state, prompter, link));
  return pages;
}

CVORUserDlg::CVORUserDlg(ProgramState& state, LinkAccess& link, Prompter& prompter,
                         std::vector<std::unique_ptr<PageWindow>> pages,
                         const WindowServices& services, QWidget* parent)
    : QDialog(parent),
      state_(state),
      link_(link),
      prompter_(prompter),
      pages_(std::move(pages)),
      services_(services),
      files_(state, prompter, services.dialogs),
      writeGuard_(state, link, prompter, services.dialogs, services.backupsFolder),
      options_(LoadWriteOptions(services.settings)),
      history_(state),
      changeMarks_(state) {
  BuildDialog(kDialogMain, this);
  const QIcon icon = LoadIcon(kIconApp);
  setWindowIcon(icon);
  ConnectButtons();
  // After the template: the bar moves every template control down by its height.
  menu_ = new MainMenu(this);
  menu_->Action(MenuCommand::ConfirmWrites)->setChecked(options_.confirmWrites);
  menu_->Action(MenuCommand::VerifyAfterWrite)->setChecked(options_.verifyAfterWrite);
  connect(menu_, &MainMenu::Triggered, this, &CVORUserDlg::OnMenuCommand);
  marks_ = new MenuBarMarks(menu_->Bar());
  connect(&link_, &LinkAccess::JobFinished, this, &CVORUserDlg::TakeHeldBackClose);
  SetUpLiveTools();
  SetUpChanges();
  UpdateMenu();
}

CVORUserDlg::~CVORUserDlg() {
  // First, while the Monitor page it listens to still exists; a recording that still runs is
  // closed with its last whole row.
  liveTools_.reset();
  // OnDestroy: the pages go in the order they were added, then any that never got a window.
  for (const PageEntry& entry : pageList) {
    for (auto& owned : pages_) {
      if (owned.get() == entry.page) owned.reset();
    }
  }
  pageList.clear();
  pages_.clear();
}

void CVORUserDlg::ConnectButtons() {
  for (int id : {int{kIdVehicleButton}, int{kIdControlButton}, int{kIdMotorButton},
                 int{kIdMonitorButton}, kReadId, kWriteId}) {
    if (QPushButton* button = FindButton(this, id)) {
      connect(button, &QPushButton::clicked, this, [this, id] { OnPageCommand(id); });
    }
  }
  if (QPushButton* quit = FindButton(this, kIdCancel)) {
    connect(quit, &QPushButton::clicked, this, &CVORUserDlg::reject);
  }
  for (QPushButton* button : findChildren<QPushButton*>()) {
    button->setAutoDefault(false);  // no button is a default button
    button->setDefault(false);
  }
}

void CVORUserDlg::SetUpControls() {
  for (const Caption& caption : kCaptions) {
    if (QPushButton* button = FindButton(this, caption.id)) {
      button->setText(tr(caption.text));
    }
  }
  if (QLabel* status = FindStatic(this, kIdStatusLine)) {
    QFont bold = status->font();
    bold.setWeight(QFont::Bold);
    status->setFont(bold);
    // The status of an image from a file needs two lines; the others fit on one.
    status->setWordWrap(true);
  }
}

void CVORUserDlg::AddPages() {
  // The page area, in this window's client coordinates.
  if (QWidget* area = FindControl(this, kIdPageArea)) pageRect = area->geometry();
  for (auto& page : pages_) AddPage(page.get(), page->TemplateId());
  AttachPagesToChanges();
}

bool CVORUserDlg::OnInitDialog() {
  SetUpControls();

  // Only a scan that ran and found nothing is the controller's absence; a refused one (another
  // job held the link) cannot let start-up go on either, but asks nothing.
  const JobResult scan = RetryWhileFailing(kMsgNoController, [this] {
    return link_.ScanForController(tr("Searching for controller..."));
  });
  if (scan != JobResult::Done) return false;

  AddPages();

  OnPageCommand(kReadId);
  if (!state_.ReadOk) return false;

  state_.DefinitionsLoaded = LoadDefinitions(state_.image, *state_.definitions, prompter_);
  if (!state_.DefinitionsLoaded) return false;

  OnPageCommand(kIdVehicleButton);
  return true;
}

bool CVORUserDlg::OnInitFromImage(const ConfigImage& image, const QString& path) {
  SetUpControls();
  offline_ = true;
  imagePath_ = path;
  files_.SetFolder(QFileInfo(path).absolutePath());
  AddPages();
  DisableLinkCommands();

  // The file's image stands where a Read would have put the controller's: the pages work on it.
  state_.image = image;
  state_.ReadOk = true;
  state_.DefinitionsLoaded = LoadDefinitions(state_.image, *state_.definitions, prompter_);
  if (!state_.DefinitionsLoaded) return false;

  SetStatus(tr(kFromFileStatus), Tone::Neutral);
  if (QLabel* status = FindStatic(this, kIdStatusLine)) status->setToolTip(path);
  OnPageCommand(kIdVehicleButton);
  return true;
}

void CVORUserDlg::AddPage(PageWindow* page, int templateId) {
  page->Create(templateId, this);
  page->hide();
  // The pages are 5 units wider than the page area, and the room beside it up to the window's
  // border is free: a page keeps its own width there, so that nothing at its right edge is cut.
  // Below the area are the buttons: there the page ends with the area.
  page->setGeometry(QRect(pageRect.topLeft(), QSize(page->width(), pageRect.height())));
  ++pageCount;
  pageList.push_back({static_cast<PageKey>(pageCount), page});
}

void CVORUserDlg::ShowPage(PageKey key) {
  for (const PageEntry& entry : pageList) {
    if (entry.key == key) entry.page->show();
  }
}

PageWindow* CVORUserDlg::PageOf(PageKey key) const {
  for (const PageEntry& entry : pageList) {
    if (entry.key == key) return entry.page;
  }
  return nullptr;
}

void CVORUserDlg::HideAllPages() {
  for (const PageEntry& entry : pageList) entry.page->hide();
  currentPage = PageKey::None;
}

ParameterPage* CVORUserDlg::ParameterPageOf(PageKey key) const {
  if (key != PageKey::Vehicle && key != PageKey::Control && key != PageKey::Motor) return nullptr;
  return qobject_cast<ParameterPage*>(PageOf(key));
}

void CVORUserDlg::RunAsCommand(const std::function<void()>& command) {
  // A close request that came while the command ran is acted on once the whole command, its
  // prompts and its status included, has finished.
  ++commandDepth_;
  command();
  if (--commandDepth_ == 0) {
    UpdateMenu();
    if (closeAfterCommand_) {
      closeAfterCommand_ = false;
      close();
    }
  }
}

void CVORUserDlg::TakeHeldBackClose() {
  // The window system holds a close request back with the user's input while a job runs, and
  // releases it in the next event loop. Were that a message box's (a retry prompt, "Written to
  // success."), the blocked window would never hear of it. Released here, between the job and
  // whatever the command shows next, it reaches closeEvent, which keeps it for the command's end.
  // The clicks and keys held with it are dropped: none may start anything inside a command.
  // A modal dialog's own jobs (the calibration's) leave its input to it: this window, blocked by
  // it, could not take a close request anyway.
  if (const QWidget* modal = QApplication::activeModalWidget(); modal && modal != this) return;
  const DropUserInput drop;
  QCoreApplication::processEvents();
}

void CVORUserDlg::OnPageCommand(int id) {
  RunAsCommand([this, id] { RunCommand(id); });
}

void CVORUserDlg::RunCommand(int id) {
  const PageKey previous = currentPage;
  // Without a controller there is nothing to read, write or watch.
  if (offline_ && (id == kReadId || id == kWriteId || id == kMonitorId)) return;
  if (id == kReadId) {
    Read();
    return;
  }
  if (id == kMonitorId && state_.ReadOk && currentPage != PageKey::Monitor) {
    HideAllPages();
    currentPage = PageKey::Monitor;
    ShowPage(PageKey::Monitor);
    SetReadWriteEnabled(false);
    return;
  }

  // The page buttons' keys, and MonitorOff for the Monitor button; Write's is no page's and is
  // never shown.
  const auto key = static_cast<PageKey>(id - kFirstPageButton);
  if (!state_.ReadOk) return;
  if (key == currentPage && id != kWriteId) return;
  if (state_.DefinitionsLoaded) HideAllPages();
  const ParameterPage* left = ParameterPageOf(previous);
  if (left && !left->PageAccepted) {
    // The page has told the user what it refused; stay on it.
    currentPage = previous;
    ShowPage(previous);
  } else if (id == kWriteId) {
    Write(previous);
  } else {
    currentPage = key;
    ShowPage(key);
  }
  SetReadWriteEnabled(true);
}

JobResult CVORUserDlg::RetryWhileFailing(int messageId, const std::function<JobResult()>& attempt,
                                         const std::function<QString()>& detail) {
  const auto ask = [&] {
    if (!detail) return prompter_.Ask(messageId);
    const StringEntry* entry = FindString(messageId);
    return prompter_.AskWithDetail(messageId, entry ? entry->buttons : Buttons::RetryCancel,
                                   entry ? entry->icon : Icon::Default, detail());
  };
  JobResult result = attempt();
  while (result == JobResult::Failed && ask() == Answer::Retry) {
    const JobResult again = attempt();
    if (again == JobResult::Refused) break;
    result = again;
  }
  return result;
}

std::optional<bool> CVORUserDlg::Transfer(const QString& operation, int messageId, PageKey previous,
                                          const std::function<bool(SerialLink&)>& job,
                                          const std::function<QString()>& detail) {
  const JobResult result = RetryWhileFailing(
      messageId, [&] { return link_.RunJob(operation, job); }, detail);
  if (result != JobResult::Refused) return result == JobResult::Done;
  // Nothing was exchanged and the controller is not to blame: the window stays as it was.
  currentPage = previous;
  ShowPage(previous);
  return std::nullopt;
}

void CVORUserDlg::Read() {
  const PageKey previous = currentPage;
  if (state_.DefinitionsLoaded) HideAllPages();
  history_.BeforeRead();
  const std::optional<bool> read =
      Transfer(tr("Reading..."), kMsgReadError, previous,
               [this](SerialLink& link) { return ReadImage(link, state_.image); });
  if (!read) return;
  state_.ReadOk = *read;
  if (state_.ReadOk) {
    state_.controllerImage = state_.image;
    NoteVisit();
    restoringBackup_ = false;
    history_.AfterRead();
    SetStatus(tr("Read success!"), Tone::Success);
    if (state_.DefinitionsLoaded) OnPageCommand(kIdVehicleButton);
  } else {
    SetStatus(tr("Read failure!"), Tone::Failure);
  }
}

void CVORUserDlg::Write(PageKey previous) {
  if (!writeGuard_.BeforeWrite(options_)) {
    // Nothing was sent: the user goes back to the page they wrote from.
    currentPage = previous;
    ShowPage(previous);
    return;
  }
  // Set on the link thread by each attempt, read here once it has ended.
  WriteStatus status = WriteStatus::Committed;
  const std::optional<bool> written = Transfer(
      tr("Writing..."), kMsgWriteError, previous,
      [this, &status](SerialLink& link) {
        status = WriteImage(link, state_.image);
        return WriteSucceeded(status);
      },
      [&status] { return ControllerHoldsText(status); });
  if (!written) return;
  state_.WriteOk = *written;
  QString notTaken;
  if (state_.WriteOk) {
    const WriteGuard::WriteCheck check = writeGuard_.AfterWrite(options_);
    state_.WriteOk = check.taken;
    notTaken = check.problem;
  }
  const QString operation =
      restoringBackup_ ? QStringLiteral("restore backup") : QStringLiteral("write");
  restoringBackup_ = false;
  const QString notRecorded = writeGuard_.RecordWrite(operation, link_.DevicePath(), status);
  SetStatus(state_.WriteOk ? tr("Write success!") : tr("Write failure!"),
            state_.WriteOk ? Tone::Success : Tone::Failure);
  // The count goes before the message says the Write took.
  if (state_.WriteOk) OnChangesChanged();
  // The page written from is on show again behind the message, as it was before the Write.
  if (ParameterPageOf(previous)) {
    currentPage = previous;
    ShowPage(previous);
  }
  if (state_.WriteOk) {
    prompter_.Ask(kMsgWriteSuccess);
  } else if (!notTaken.isEmpty()) {
    prompter_.AskText(notTaken, Buttons::Ok, Icon::Warning);
  }
  if (!notRecorded.isEmpty()) prompter_.AskText(notRecorded, Buttons::Ok, Icon::Warning);
}

QString CVORUserDlg::ControllerHoldsText(WriteStatus status) {
  switch (status) {
    case WriteStatus::HandshakeFailed:
      return tr(
          "The controller did not answer, so nothing was written. "
          "The controller keeps its previous configuration.");
    case WriteStatus::BlockFailed:
      return tr(
          "A block went unanswered, so nothing was committed. "
          "The controller keeps its previous configuration.");
    case WriteStatus::ReadBackDiffers:
      return tr(
          "The commit went unanswered, and reading back shows that the controller did not "
          "take the configuration.");
    case WriteStatus::Unknown:
      return tr(
          "The commit went unanswered, and the configuration could not be read back: what "
          "the controller now holds is unknown.");
    case WriteStatus::Committed:
    case WriteStatus::ConfirmedByReadBack:
      break;
  }
  return {};
}

void CVORUserDlg::SetReadWriteEnabled(bool enabled) {
  for (int id : {kReadId, kWriteId}) {
    if (QPushButton* button = FindButton(this, id)) button->setEnabled(enabled && !offline_);
  }
  UpdateMenu();
}

void CVORUserDlg::SetStatus(const QString& text, Tone tone) {
  status_ = {text, tone};
  fromFile_.reset();
  QLabel* status = FindStatic(this, kIdStatusLine);
  if (!status) return;
  status->setText(text);
  status->setToolTip(QString());
  // The colour follows the outcome shown, so a failure never appears in green.
  QPalette palette = status->palette();
  switch (tone) {
    case Tone::Success:
      palette.setColor(QPalette::WindowText, kSuccessColour);
      break;
    case Tone::Failure:
      palette.setColor(QPalette::WindowText, kFailureColour);
      break;
    case Tone::Neutral:
      palette.setColor(QPalette::WindowText, QPalette().color(QPalette::WindowText));
      break;
  }
  status->setPalette(palette);
}

bool CVORUserDlg::CommitShownPage() {
  const PageKey shown = currentPage;
  const ParameterPage* page = ParameterPageOf(shown);
  if (!page) return true;
  HideAllPages();
  const bool accepted = page->PageAccepted;  // showing the page clears it again
  currentPage = shown;
  ShowPage(shown);
  return accepted;
}

void CVORUserDlg::closeEvent(QCloseEvent* event) {
  if (commandDepth_ > 0) {
    event->ignore();
    closeAfterCommand_ = true;
    return;
  }
  if (link_.Busy()) {
    // Asked again once the exchange in progress has ended.
    event->ignore();
    if (!closeWaitsForJob_) {
      closeWaitsForJob_ = true;
      connect(
          &link_, &LinkAccess::JobFinished, this,
          [this] {
            closeWaitsForJob_ = false;
            close();
          },
          Qt::SingleShotConnection);
    }
    return;
  }
  const PageKey remembered = currentPage;
  HideAllPages();
  if (prompter_.AskWithDetail(kMsgSureToExit, Buttons::OkCancel, Icon::Question,
                              UnwrittenText(UnwrittenCount())) == Answer::Cancel) {
    currentPage = remembered;
    ShowPage(remembered);
    event->ignore();
    return;
  }
  HideAllPages();
  event->accept();
  QDialog::reject();
}

void CVORUserDlg::reject() {
  // With nothing unwritten Quit ends the window at once: no question, pages not hidden first.
  // Otherwise it asks what the close box asks, and the close box's answer ends it or not.
  if (UnwrittenCount() == 0) {
    QDialog::reject();
    return;
  }
  close();
}

void CVORUserDlg::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Cancel)) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace vor
