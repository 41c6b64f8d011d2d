// The registry state every end-to-end test starts from, and puts back when it ends.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "registry_values_win32.h"

namespace quenda::e2e {

// Where Quenda keeps its settings, and the values around it that the tests prepare.
ValueLocation Winlogon(const wchar_t* name);
ValueLocation RunEntry();
ValueLocation ComputerName();
ValueLocation Locale();
ValueLocation LogPixels();

inline constexpr wchar_t kTestComputerName[] = L"E2E-PC";

// The pixels that `twips` cover at `dpi`, as the dialog converts them.
int Pixels(int twips, int dpi);
// The display's DPI as this driver sees it (the one quenda.exe gets unless a test changes it).
int DriverDpi();

// Reads a whole file's bytes; empty when it cannot be read.
std::string FileBytes(const std::wstring& path);
// Decodes bytes from code page `codePage`.
std::wstring Decode(const std::string& bytes, unsigned codePage);

class DialogTest : public testing::Test {
 protected:
  // A fresh system: English locale, the test's computer name, no automatic logon configured.
  void SetUp() override;
  void TearDown() override;

  static std::optional<std::wstring> Read(const ValueLocation& where) { return ReadText(where); }

 private:
  std::unique_ptr<RegistrySnapshot> snapshot_;
};

}  // namespace quenda::e2e
