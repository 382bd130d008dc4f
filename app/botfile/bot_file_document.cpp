#include "botfile/bot_file_document.h"

#include <windows.h>

#include <utility>

#include "force/bot_file_problem.h"
#include "botfile/bot_file_messages.h"
#include "botfile/bot_file_storage.h"
#include "win32/result.h"

namespace zenthra::botfile {
namespace {

// The full path of `path`, so that the file stays the same whatever becomes
// of the current folder.
HRESULT FullPath(std::wstring_view path, std::wstring& full) {
  const std::wstring given(path);
  const DWORD needed = GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
  RETURN_LAST_ERROR_IF(needed == 0);
  full.assign(needed, L'\0');
  const DWORD length = GetFullPathNameW(given.c_str(), needed, full.data(), nullptr);
  RETURN_LAST_ERROR_IF(length == 0 || length >= needed);
  full.resize(length);
  return S_OK;
}

// Reads the file at `path` into `file`: its full path, then its bytes.
std::optional<std::wstring> ReadBytes(std::wstring_view path, StoredFile::Purpose purpose, std::wstring& full,
                                      StoredFile& file) {
  HRESULT read = FullPath(path, full);
  if (SUCCEEDED(read)) read = file.Read(full, purpose);
  if (FAILED(read))
    return FileFailureMessage(FileNameOf(full.empty() ? path : full), {.step = FileStep::Read, .error = read});
  return std::nullopt;
}

// Writes the value into the file as it was read just now, which may differ
// from what was opened: changes made elsewhere meanwhile are kept.
// The message says whether the file is as it was.
std::optional<std::wstring> Save(StoredFile& file, std::wstring_view name, const ForceInfoValue& value) {
  auto written = WriteBotFile(file.Bytes(), value);
  if (const auto* problem = std::get_if<BotFileProblem>(&written))
    return ProblemMessage(*problem) + std::wstring(kNothingSaved);
  const FileFailure failure = file.Replace(std::get<std::string>(written));
  if (FAILED(failure.error)) return FileFailureMessage(name, failure);
  return std::nullopt;
}

}  // namespace

std::wstring_view BotFileDocument::FileName() const { return FileNameOf(path_); }

std::variant<BotReading, std::wstring> BotFileDocument::Read(std::wstring_view path) const {
  BotReading reading;
  StoredFile file;
  if (auto message = ReadBytes(path, StoredFile::Purpose::Open, reading.path, file)) return *std::move(message);
  const auto found = FindForceInfoLine(file.Bytes());
  if (const auto* problem = std::get_if<BotFileProblem>(&found)) return ProblemMessage(*problem);
  const ForceInfoLine& line = std::get<ForceInfoLine>(found);
  auto value = ReadForceInfoValue(
      std::string_view(file.Bytes()).substr(line.valueBegin, line.valueEnd - line.valueBegin), line.number);
  if (const auto* problem = std::get_if<BotFileProblem>(&value)) return ProblemMessage(*problem);
  reading.value = std::get<ForceInfoValue>(value);
  reading.brokenRule = BrokenRule(reading.value, line.number);
  return reading;
}

void BotFileDocument::Adopt(const BotReading& reading) {
  path_ = reading.path;
  saved_ = reading.brokenRule ? std::nullopt : std::optional(reading.value);
}

std::optional<std::wstring> BotFileDocument::SaveTo(std::wstring_view path, const ForceInfoValue& value) {
  std::wstring full;
  StoredFile file;
  if (auto message = ReadBytes(path, StoredFile::Purpose::Replace, full, file))
    return *message + std::wstring(kNothingSaved);
  if (auto message = Save(file, FileNameOf(full), value)) return message;
  path_ = std::move(full);
  saved_ = value;
  return std::nullopt;
}

}  // namespace zenthra::botfile
