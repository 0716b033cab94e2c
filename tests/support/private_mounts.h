#pragma once

// A full disk for a test, without touching the machine's mounts: the test runs again in a child
// process in a mount namespace of its own (`unshare -m`, as root as CI runs; `unshare -r -m`
// otherwise, where user namespaces are allowed), and there mounts a small tmpfs and fills it.
// Where no such namespace can be had (on systems other than Linux too) the test is skipped,
// saying why.
//
//   TEST_F(Suite, Name) {
//     if (!test::InPrivateMountNamespace()) return;  // the child has run it
//     test::FullDisk full(folder);
//     ...
//   }
#include <QByteArray>
#include <QString>
#include <map>
#include <string>

namespace vor::test {

inline constexpr char kPrivateMountsVariable[] = "VOR_TEST_PRIVATE_MOUNTS";

// True in the child, where the test goes on. False in the test's own process once the child has
// run the test (its failures reported here) or the test has been skipped.
bool InPrivateMountNamespace();

// A 64 KiB tmpfs on `folder` (made when missing) for as long as the object lives, holding the
// `files` given (name, content) and filled to its last byte by a file named "fill". Only in a
// private mount namespace.
class FullDisk {
public:
  explicit FullDisk(const QString& folder, const std::map<QString, QByteArray>& files = {});
  ~FullDisk();
  FullDisk(const FullDisk&) = delete;
  FullDisk& operator=(const FullDisk&) = delete;

private:
  std::string folder_;
  bool mounted_ = false;
};

}  // namespace vor::test
