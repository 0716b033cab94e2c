#pragma once

// A full disk for a test, without touching the machine's mounts: the test runs again in a child
// process in a mount namespace of its own (`unshare -m`, as root as CI runs; `unshare -r -m`
// otherwise, where user namespaces are allowed), and there mounts a small tmpfs and fills it.
// Where no such namespace can be had the test is skipped, saying why.
//
//   TEST_F(Suite, Name) {
//     if (!test::InPrivateMountNamespace()) return;  // the child has run it
//     test::FullDisk full(folder);
//     ...
//   }
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>

namespace vor::test {

inline constexpr char kPrivateMountsVariable[] = "VOR_TEST_PRIVATE_MOUNTS";

// True in the child, where the test goes on. False in the test's own process once the child has
// run the test (its failures reported here) or the test has been skipped.
inline bool InPrivateMountNamespace() {
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

// A 64 KiB tmpfs on `folder` (made when missing) for as long as the object lives, holding the
// `files` given (name, content) and filled to its last byte by a file named "fill". Only in a
// private mount namespace.
class FullDisk {
public:
  explicit FullDisk(const QString& folder, const std::map<QString, QByteArray>& files = {})
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
  ~FullDisk() {
    // Detached: a file the test left open does not keep the folder mounted.
    if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
  }
  FullDisk(const FullDisk&) = delete;
  FullDisk& operator=(const FullDisk&) = delete;

private:
  std::string folder_;
  bool mounted_ = false;
};

}  // namespace vor::test
