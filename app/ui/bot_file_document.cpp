#include "ui/bot_file_document.h"

#include <windows.h>

#include <utility>

#include "force/bot_file_problem.h"
#include "ui/bot_file_messages.h"
#include "ui/bot_file_storage.h"
#include "win32/result.h"

namespace zenthra::ui {
namespace {

std::wstring_view NameOf(std::wstring_view path) { return path.substr(path.find_last_of(L"\\/") + 1); }

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
std::optional<std::wstring> Read(std::wstring_view path, StoredFile::Purpose purpose, std::wstring& full,
                                 StoredFile& file) {
  HRESULT read = FullPath(path, full);
  if (SUCCEEDED(read)) read = file.Read(full, purpose);
  if (FAILED(read)) return FileFailureMessage(NameOf(full.empty() ? path : full), {FileStep::Read, read});
  return std::nullopt;
}

// The window's value as the force info line shows it after Go.
ForceInfoValue ValueOf(const ForceSettings& settings) {
  return {.side = settings.side == static_cast<std::int16_t>(Side::Dark) ? Side::Dark : Side::Light,
          .levels = settings.levels};
}

// Writes the value into the file as it was read just now, which may differ
// from what was opened: changes made elsewhere meanwhile are kept.
std::optional<std::wstring> Save(StoredFile& file, std::wstring_view name, const ForceSettings& settings) {
  const std::string_view bytes = file.Bytes();
  const auto found = FindForceInfoLine(bytes);
  if (const auto* problem = std::get_if<BotFileProblem>(&found)) return ProblemMessage(*problem);
  const ForceInfoLine& line = *std::get_if<ForceInfoLine>(&found);
  // A value of a kind this program does not know is not overwritten; one
  // that is merely malformed or breaks the rules is what saving repairs.
  const auto old = ParseForceInfoValue(bytes.substr(line.valueBegin, line.valueEnd - line.valueBegin), line.number);
  if (const auto* problem = std::get_if<BotFileProblem>(&old);
      problem != nullptr && problem->kind == BotFileProblemKind::UnknownFirstNumber) {
    return ProblemMessage(*problem);
  }
  const FileFailure failure = file.Replace(ReplaceForceInfoValue(bytes, line, ValueOf(settings)));
  if (FAILED(failure.error)) return FileFailureMessage(name, failure);
  return std::nullopt;
}

}  // namespace

std::wstring_view BotFileDocument::FileName() const { return NameOf(path_); }

std::optional<std::wstring> BotFileDocument::Open(std::wstring_view path, ForceInfoValue& value) {
  std::wstring full;
  StoredFile file;
  if (auto message = Read(path, StoredFile::Purpose::Open, full, file)) return message;
  const auto found = ReadBotFile(file.Bytes());
  if (const auto* problem = std::get_if<BotFileProblem>(&found)) return ProblemMessage(*problem);
  value = std::get_if<BotFileForce>(&found)->value;
  path_ = std::move(full);
  return std::nullopt;
}

std::optional<std::wstring> BotFileDocument::SaveTo(std::wstring_view path, const ForceSettings& settings) {
  std::wstring full;
  StoredFile file;
  auto message = Read(path, StoredFile::Purpose::Replace, full, file);
  if (!message) message = Save(file, NameOf(full), settings);
  if (message) return *message + std::wstring(kNothingSaved);
  path_ = std::move(full);
  return std::nullopt;
}

}  // namespace zenthra::ui
