// The COM port list as Windows keeps it in the registry, read from a key of the test's own.
#include "link/registry_ports.h"

#include <gtest/gtest.h>

#include <QUuid>

namespace vor {
namespace {

class RegistryPortsTest : public testing::Test {
protected:
  void SetUp() override {
    keyPath = QStringLiteral("Software\\VOR User tests\\%1")
                  .arg(QUuid::createUuid().toString(QUuid::WithoutBraces));
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, Wide(keyPath), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
  }
  void TearDown() override {
    RegCloseKey(key);
    RegDeleteTreeW(HKEY_CURRENT_USER, Wide(keyPath));
  }
  void Set(const QString& name, const QString& port, DWORD type = REG_SZ) {
    ASSERT_EQ(RegSetValueExW(key, Wide(name), 0, type, reinterpret_cast<const BYTE*>(port.utf16()),
                             static_cast<DWORD>((port.size() + 1) * 2)),
              ERROR_SUCCESS);
  }
  static const wchar_t* Wide(const QString& text) {
    return reinterpret_cast<const wchar_t*>(text.utf16());
  }

  QString keyPath;
  HKEY key = nullptr;
};

// Every port of the key as the registry gives them (the order is the registry's: not sorted here),
// duplicates and a long name kept; values without a port, or that are no text, passed over.
TEST_F(RegistryPortsTest, ListsEveryPortOfTheKey) {
  Set("\\Device\\Serial1", "COM3");
  Set("\\Device\\VCP0", "COM10");
  Set("\\Device\\com0com10", "CNCA0123456789");
  Set("\\Device\\Empty", "");
  Set("\\Device\\Number", "COM4", REG_BINARY);
  Set("\\Device\\Serial0", "COM1");
  Set("\\Device\\Again", "COM3");
  QStringList ports = RegistryPorts(HKEY_CURRENT_USER, keyPath);
  ports.sort();
  EXPECT_EQ(ports, (QStringList{"CNCA0123456789", "COM1", "COM10", "COM3", "COM3"}));
}

TEST_F(RegistryPortsTest, AMissingOrEmptyKeyListsNoPort) {
  EXPECT_TRUE(RegistryPorts(HKEY_CURRENT_USER, keyPath).isEmpty());
  EXPECT_TRUE(RegistryPorts(HKEY_CURRENT_USER, keyPath + "\\missing").isEmpty());
}

}  // namespace
}  // namespace vor
