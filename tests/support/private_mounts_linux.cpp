// Linux: mount namespaces and tmpfs.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "tests/support/private_mounts.h"

namespace vor::test {

bool InPrivateMountNamespace() {
  if (qEnvironmentVariableIsSet(kPrivateMountsVariable)) return true;
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  QStringList args;
  if (geteuid() != 0) args << "-r";  // a user namespace in which the user is root
  args << "-m" << QString::fromStdString(std::filesystem::read_symlink("/proc/self/exe").string())
       << QStringLiteral("--gtest_filter=%1.%2").arg(test->test_suite_name(), test->name());
  QProcess child;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(kPrivateMountsVariable, "1");
  child.setProcessEnvironment(environment);
  child.setProcessChannelMode(QProcess::MergedChannels);
  child.start("unshare", args);
  if (!child.waitForStarted()) {
    [&] { GTEST_SKIP() << "needs unshare: " << child.errorString().toStdString(); }();
    return false;
  }
  const bool finished = child.waitForFinished(170'000);
  if (!finished) child.kill();
  const QString output = QString::fromLocal8Bit(child.readAll());
  if (!finished) {
    ADD_FAILURE() << "in a private mount namespace, did not finish:\n" << output.toStdString();
  } else if (!output.contains("[ RUN      ]")) {
    // unshare itself failed: no namespace or no mount allowed here.
    [&] { GTEST_SKIP() << "needs a private mount namespace: " << output.toStdString(); }();
  } else if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
    ADD_FAILURE() << "in a private mount namespace:\n" << output.toStdString();
  } else if (output.contains("[  SKIPPED ]")) {
    [&] { GTEST_SKIP() << output.toStdString(); }();
  }
  return false;
}

FullDisk::FullDisk(const QString& folder, const std::map<QString, QByteArray>& files)
    : folder_(folder.toStdString()) {
  EXPECT_TRUE(qEnvironmentVariableIsSet(kPrivateMountsVariable));
  EXPECT_TRUE(QDir().mkpath(folder));
  if (::mount("tmpfs", folder_.c_str(), "tmpfs", 0, "size=64k") != 0) {
    ADD_FAILURE() << "cannot mount a tmpfs on " << folder_ << ": " << std::strerror(errno);
    return;
  }
  mounted_ = true;
  for (const auto& [name, content] : files) {
    QFile file(QDir(folder).filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
  }
  const int fill = ::open((folder_ + "/fill").c_str(), O_WRONLY | O_CREAT, 0644);
  if (fill < 0) {
    ADD_FAILURE() << "cannot fill " << folder_ << ": " << std::strerror(errno);
    return;
  }
  static const char block[4096] = {};
  while (::write(fill, block, sizeof block) > 0) {
  }
  ::close(fill);
}

FullDisk::~FullDisk() {
  // Detached: a file the test left open does not keep the folder mounted.
  if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
}
}  // namespace vor::test
