// Systems without mount namespaces: the full-disk tests are skipped, saying why.
#include <gtest/gtest.h>

#include "tests/support/private_mounts.h"

namespace vor::test {

bool InPrivateMountNamespace() {
  [] {
    GTEST_SKIP() << "a full disk is made in a Linux mount namespace, which this system lacks";
  }();
  return false;
}

FullDisk::FullDisk(const QString&, const std::map<QString, QByteArray>&) {}

FullDisk::~FullDisk() = default;

}  // namespace vor::test
