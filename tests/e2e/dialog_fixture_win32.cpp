// The end-to-end tests' registry fixture and small shared helpers.
#include <windows.h>

#include "dialog_fixture_win32.h"

namespace quenda::e2e {

namespace {
constexpr wchar_t kWinlogonKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr const wchar_t* kWinlogonValues[] = {L"AutoAdminLogon", L"DefaultUserName",
                                              L"DefaultPassword", L"DefaultDomainName", L"Quenda"};
}  // namespace

ValueLocation Winlogon(const wchar_t* name) {
  return {LocalMachine(), kWinlogonKey, name};
}

ValueLocation RunEntry() {
  return {LocalMachine(), L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", L"Quenda"};
}

ValueLocation ComputerName() {
  return {LocalMachine(), L"System\\CurrentControlSet\\Control\\ComputerName\\ComputerName",
          L"ComputerName"};
}

ValueLocation Locale() {
  return {CurrentUser(), L"Control Panel\\International", L"Locale"};
}

ValueLocation LogPixels() {
  return {CurrentUser(), L"Control Panel\\Desktop", L"LogPixels"};
}

int Pixels(int twips, int dpi) {
  return MulDiv(twips, dpi, 1440);
}

int DriverDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

std::string FileBytes(const std::wstring& path) {
  HANDLE file =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return {};
  std::string bytes(GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  bytes.resize(read);
  return bytes;
}

std::wstring Decode(const std::string& bytes, unsigned codePage) {
  if (bytes.empty())
    return {};
  const int length =
      MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                      length);
  return text;
}

void DialogTest::SetUp() {
  std::vector<ValueLocation> touched = {RunEntry(), ComputerName(), Locale(), LogPixels()};
  for (const wchar_t* name : kWinlogonValues)
    touched.push_back(Winlogon(name));
  snapshot_ = std::make_unique<RegistrySnapshot>(touched);
  for (const wchar_t* name : kWinlogonValues)
    Delete(Winlogon(name));
  Delete(RunEntry());
  WriteText(ComputerName(), kTestComputerName);
  WriteText(Locale(), L"00000409");
}

void DialogTest::TearDown() {
  snapshot_.reset();
}

}  // namespace quenda::e2e
