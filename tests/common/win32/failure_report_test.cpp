// The failure report: a failure is written once, where it happened, whether
// it is handed back or ignored; and the handle owners keep the last error of
// the call that gave them their handle.
#include "win32/failure_report.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "win32/result.h"
#include "win32/unique_handle.h"

namespace win32 {
namespace {

std::vector<std::pair<HRESULT, std::string>> reported;  // each as "file:expression"

void Observe(HRESULT result, const FailureSite& site) {
  reported.emplace_back(result, std::string(site.file) + ":" + site.expression);
}

HRESULT OpenMissingFile() {
  const UniqueFile file(
      CreateFileW(L"C:\\no such folder\\no such file", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  RETURN_LAST_ERROR_IF(!file);
  return S_OK;
}

HRESULT PassOnAFailure() {
  RETURN_IF_FAILED(OpenMissingFile());
  return S_OK;
}

// A ctest case runs this one again with WINEDEBUG=+debugstr and looks for
// the written line among what Wine prints.
TEST(FailureReport, AFailureIsWrittenOnceWhereItHappened) {
  constexpr const char* kFile = "tests/common/win32/failure_report_test.cpp";
  SetFailureObserverForTests(&Observe);
  EXPECT_EQ(PassOnAFailure(), HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(LOG_IF_FAILED(E_ACCESSDENIED), E_ACCESSDENIED);
  EXPECT_EQ(LOG_IF_FAILED(S_FALSE), S_FALSE);
  SetFailureObserverForTests(nullptr);
  EXPECT_EQ(reported, (std::vector<std::pair<HRESULT, std::string>>{
                          {HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND), std::string(kFile) + ":!file"},
                          {E_ACCESSDENIED, std::string(kFile) + ":E_ACCESSDENIED"}}));
}

void CloseSettingAnError(HANDLE) noexcept { SetLastError(ERROR_INVALID_HANDLE); }

TEST(UniqueHandle, ResetKeepsTheLastErrorOfTheCallThatGaveTheNewHandle) {
  UniqueHandle<HANDLE, &CloseSettingAnError> owner(reinterpret_cast<HANDLE>(1));
  SetLastError(ERROR_FILE_NOT_FOUND);  // as a failed CreateFileW leaves it
  owner.reset();
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

}  // namespace
}  // namespace win32
