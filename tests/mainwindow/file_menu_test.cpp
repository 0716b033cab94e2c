// The File menu: configuration files in and out, the exported record, and the start with an
// image from a file instead of a controller.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "files/image_file.h"
#include "mainwindow/change_marks.h"
#include "mainwindow/menu_bar_marks.h"
#include "tests/mainwindow/window_rig.h"
#include "tests/support/private_mounts.h"

namespace vor {
namespace {

using test::WindowRig;

class FileMenuTest : public ::testing::Test, public WindowRig {
protected:
  QString Path(const QString& name) { return services.dir.filePath(name); }
  ConfigImage Load(const QString& path) {
    ConfigImage image;
    QString error;
    EXPECT_TRUE(LoadImageFile(path, image, error)) << error.toStdString();
    return image;
  }
};

TEST_F(FileMenuTest, AChangedFieldSurvivesSaveOpenAndWrite) {
  StartUp();
  const std::uint8_t factory = controller.Image()[19];
  ASSERT_NE(factory, 42);
  Field(PageKey::Vehicle, "Low Volt")->setText("42");
  services.dialogs.fileNames = {Path("vehicle")};  // typed without an extension
  Trigger(MenuCommand::SaveConfigurationAs);
  EXPECT_TRUE(services.dialogs.suggestedPaths.at(0).endsWith(".bin"));
  const ConfigImage saved = Load(Path("vehicle.bin"));
  EXPECT_EQ(saved.bytes, state.image.bytes);  // byte for byte, the entry stored first
  EXPECT_EQ(saved[19], 42);
  EXPECT_EQ(window->currentPage, PageKey::Vehicle);
  EXPECT_TRUE(prompter.asked.empty());
  // Said at the menu bar's end, as an export is.
  const QLabel* mark = window->Marks().Label(MenuBarMarks::Mark::FileWritten);
  EXPECT_FALSE(mark->isHidden());
  EXPECT_EQ(mark->text(), "Saved to vehicle.bin");

  Trigger(MenuCommand::Read);  // the controller's own values again
  ASSERT_EQ(Field(PageKey::Vehicle, "Low Volt")->text(), QString::number(factory));
  const int requests = Requests();
  services.dialogs.fileNames = {Path("vehicle.bin")};
  Trigger(MenuCommand::OpenConfiguration);
  EXPECT_EQ(state.image.bytes, saved.bytes);
  EXPECT_EQ(Field(PageKey::Vehicle, "Low Volt")->text(), "42");
  EXPECT_EQ(Status(), "From file, not yet written");
  EXPECT_EQ(Requests(), requests);  // nothing sent until Write
  EXPECT_EQ(controller.Image()[19], factory);

  Click(kIdWriteButton);
  EXPECT_EQ(controller.Image().bytes, saved.bytes);
  EXPECT_EQ(Status(), "Write success!");
}

TEST_F(FileMenuTest, SaveStopsAtAnEntryOutOfRange) {
  StartUp();
  Field(PageKey::Vehicle, "Low Volt")->setText("300");
  services.dialogs.fileNames = {Path("never.bin")};
  Trigger(MenuCommand::SaveConfigurationAs);
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_TRUE(prompter.asked[0].text.startsWith("Param:Low Volt"));
  EXPECT_TRUE(services.dialogs.fileCaptions.empty());  // no file was asked for
  EXPECT_EQ(window->currentPage, PageKey::Vehicle);
}

TEST_F(FileMenuTest, OpenRefusesAShortFileAndAnotherModelsImageAndChangesNothing) {
  StartUp();
  Click(kIdControlButton);
  QFile shortFile(Path("short.bin"));
  ASSERT_TRUE(shortFile.open(QIODevice::WriteOnly));
  shortFile.write("12345");
  shortFile.close();
  QString error;
  ASSERT_TRUE(SaveImageFile(Path("taq.bin"), *DefaultImageFor(u"TAQ"), error));

  const ConfigImage before = state.image;
  const int requests = Requests();
  const struct {
    const char* file;
    const char* reason;
  } cases[] = {{"short.bin", "holds 5 bytes; an image file holds exactly 128"},
               {"taq.bin", "taq.bin was not opened: it is a configuration of model TAQ, not VOR"}};
  for (const auto& c : cases) {
    prompter.asked.clear();
    services.dialogs.fileNames = {Path(c.file)};
    Trigger(MenuCommand::OpenConfiguration);
    ASSERT_EQ(prompter.asked.size(), 1u) << c.file;
    EXPECT_TRUE(prompter.asked[0].text.contains(c.reason)) << prompter.asked[0].text.toStdString();
    EXPECT_TRUE(prompter.asked[0].text.endsWith("Nothing was changed."));
    EXPECT_EQ(state.image.bytes, before.bytes) << c.file;
    EXPECT_EQ(window->currentPage, PageKey::Control) << c.file;
    EXPECT_EQ(Status(), "Read success!") << c.file;
  }
  EXPECT_EQ(Requests(), requests);
}

TEST_F(FileMenuTest, ExportWritesWhatThePagesShowByTheExtension) {
  StartUp();
  Field(PageKey::Vehicle, "Low Volt")->setText("42");
  services.dialogs.fileNames = {Path("customer.json"), Path("customer")};
  Trigger(MenuCommand::ExportParameters);
  Trigger(MenuCommand::ExportParameters);
  EXPECT_TRUE(prompter.asked.empty());

  QFile json(Path("customer.json"));
  ASSERT_TRUE(json.open(QIODevice::ReadOnly));
  const QJsonObject record = QJsonDocument::fromJson(json.readAll()).object();
  EXPECT_EQ(record["model"].toString(), "VOR");
  bool found = false;
  for (const QJsonValue& p : record["parameters"].toArray()) {
    if (p["parameter"].toString() != "Low Volt") continue;
    EXPECT_EQ(p["value"].toString(), "42");
    found = true;
  }
  EXPECT_TRUE(found);
  QFile csv(Path("customer.csv"));
  ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
  EXPECT_TRUE(csv.readAll().contains("\r\nVehicle,Low Volt,42,18~90\r\n"));
}

// The export says where it wrote at the menu bar's end (as Save Configuration As does); nothing is
// said for one cancelled or refused (that one says why in a message).
TEST_F(FileMenuTest, AnExportSaysWhereItWroteAtTheBarsEnd) {
  StartUp();
  QLabel* mark = window->Marks().Label(MenuBarMarks::Mark::FileWritten);
  Trigger(MenuCommand::ExportParameters);  // cancelled
  EXPECT_TRUE(mark->isHidden());
  services.dialogs.fileNames = {Path("no/such/folder/customer.csv")};
  Trigger(MenuCommand::ExportParameters);
  EXPECT_TRUE(mark->isHidden());
  ASSERT_EQ(prompter.asked.size(), 1u);

  services.dialogs.fileNames = {Path("customer")};
  Trigger(MenuCommand::ExportParameters);
  EXPECT_FALSE(mark->isHidden());
  EXPECT_EQ(mark->text(), "Exported to customer.csv");
  EXPECT_EQ(mark->toolTip(), QDir::toNativeSeparators(Path("customer.csv")));
}

TEST_F(FileMenuTest, AnExportOnAFullDiskSaysWhyAndLeavesNoFile) {
  if (!test::InPrivateMountNamespace()) return;
  const test::FullDisk full(Path("disk"));
  StartUp();
  const QString path = Path("disk/customer.csv");
  services.dialogs.fileNames = {path};
  Trigger(MenuCommand::ExportParameters);
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_EQ(prompter.asked[0].text,
            QStringLiteral("The parameters were not exported: cannot write %1: No space left on "
                           "device.")
                .arg(path));
  EXPECT_EQ(QDir(Path("disk")).entryList(QDir::Files | QDir::Hidden), QStringList{"fill"});
}

TEST_F(FileMenuTest, StartedWithAnImageShowsThePagesAndDisablesTheLinkCommands) {
  ConfigImage image = *DefaultImageFor(u"VOR");
  image[19] = 40;
  MakeWindow();
  ASSERT_TRUE(window->OnInitFromImage(image, Path("from.bin")));
  EXPECT_TRUE(prompter.asked.empty());
  EXPECT_TRUE(ports.opens.empty());  // no port was touched
  EXPECT_EQ(window->currentPage, PageKey::Vehicle);
  EXPECT_EQ(Field(PageKey::Vehicle, "Low Volt")->text(), "40");
  EXPECT_EQ(Status(), "From file, not yet written");

  for (QPushButton* button :
       {FindButton(window.get(), kIdReadButton), FindButton(window.get(), kIdWriteButton),
        FindButton(window.get(), kIdMonitorButton),
        FindButton(Page(PageKey::Vehicle), kIdReadZeroButton)}) {
    EXPECT_FALSE(button->isEnabled()) << button->text().toStdString();
    EXPECT_TRUE(button->toolTip().contains("without a controller")) << button->text().toStdString();
  }
  for (MenuCommand command :
       {MenuCommand::Read, MenuCommand::Write, MenuCommand::ViewMonitor,
        MenuCommand::CompareWithController, MenuCommand::PhaseZeroCalibration}) {
    EXPECT_FALSE(Enabled(command));
  }
  // Switching pages keeps them disabled; the file menu works.
  Click(kIdControlButton);
  Click(kIdVehicleButton);
  EXPECT_FALSE(FindButton(window.get(), kIdWriteButton)->isEnabled());
  EXPECT_TRUE(Enabled(MenuCommand::SaveConfigurationAs));
  Field(PageKey::Vehicle, "Low Volt")->setText("41");
  services.dialogs.fileNames = {Path("edited.bin")};
  Trigger(MenuCommand::SaveConfigurationAs);
  EXPECT_EQ(Load(Path("edited.bin"))[19], 41);
  EXPECT_TRUE(ports.opens.empty());
  // Without a controller there is nothing to differ from: no marks; Undo works all the same.
  EXPECT_NE(Field(PageKey::Vehicle, "Low Volt")->palette().color(QPalette::Base), kChangeTint);
  EXPECT_FALSE(Enabled(MenuCommand::RevertAllChanges));
  Trigger(MenuCommand::Undo);
  EXPECT_EQ(Field(PageKey::Vehicle, "Low Volt")->text(), "40");
}

}  // namespace
}  // namespace vor
