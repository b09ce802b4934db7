#include "Stringop/FileReplacing.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

constexpr int TemporaryNameAttempts = 100;

bool Fail(std::string* reason, std::error_code code) {
  if (reason != nullptr) *reason = code.message();
  return false;
}

bool Fail(std::string* reason, std::errc code) {
  return Fail(reason, std::make_error_code(code));
}

std::error_code LastError() {
  return {errno != 0 ? errno : EIO, std::generic_category()};
}

bool SyncToDisk(std::FILE* file) {
#ifdef _WIN32
  return _commit(_fileno(file)) == 0;
#else
  return fsync(fileno(file)) == 0;
#endif
}

// Writes, flushes (to the disk when `sync`) and closes; the first failure's
// code goes to `error`.
bool WriteAndClose(std::FILE* file, std::string_view content, bool sync, std::error_code& error) {
  errno = 0;
  bool ok = std::fwrite(content.data(), 1, content.size(), file) == content.size();
  if (ok && std::fflush(file) != 0) ok = false;
  if (ok && std::ferror(file) != 0) ok = false;
  if (ok && sync && !SyncToDisk(file)) ok = false;
  if (!ok) error = LastError();
  errno = 0;
  if (std::fclose(file) != 0 && ok) {
    ok = false;
    error = LastError();
  }
  return ok;
}

bool WriteInPlace(const fs::path& target, std::string_view content, std::string* reason) {
  errno = 0;
  std::FILE* file = std::fopen(target.string().c_str(), "wb");
  if (file == nullptr) return Fail(reason, LastError());
  std::error_code error;
  return WriteAndClose(file, content, false, error) || Fail(reason, error);
}

// Creates a file of a new name beside `target`; the "x" mode never opens a
// file (or link) that is already there.
std::FILE* CreateTemporaryBeside(const fs::path& target, fs::path& temporary, std::error_code& error) {
  std::random_device seed;
  for (int attempt = 0; attempt < TemporaryNameAttempts; ++attempt) {
    temporary = target.parent_path() /
                ("." + target.filename().string() + ".tmp" + std::to_string(100000 + seed() % 900000));
    errno = 0;
    std::FILE* file = std::fopen(temporary.string().c_str(), "wbx");
    if (file != nullptr) return file;
    if (errno != EEXIST) break;
  }
  error = LastError();
  return nullptr;
}

}  // namespace

bool WriteFileReplacing(const std::string& path, std::string_view content, std::string* reason) {
  std::error_code error;
  fs::path target(path);
  if (target.empty()) return Fail(reason, std::errc::no_such_file_or_directory);
  if (fs::is_symlink(target, error)) {
    target = fs::weakly_canonical(target, error);
    if (error) return Fail(reason, error);
  }
  const fs::file_status status = fs::status(target, error);
  if (fs::is_directory(status)) return Fail(reason, std::errc::is_a_directory);
  const bool exists = fs::exists(status);
  if (exists && !fs::is_regular_file(status)) return WriteInPlace(target, content, reason);
  constexpr fs::perms anyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  if (exists && (status.permissions() & anyWrite) == fs::perms::none) {
    return Fail(reason, std::errc::permission_denied);
  }

  fs::path temporary;
  std::FILE* file = CreateTemporaryBeside(target, temporary, error);
  if (file == nullptr) return Fail(reason, error);
  bool ok = WriteAndClose(file, content, true, error);
  if (ok && exists) {
    std::error_code ignored;
    fs::permissions(temporary, status.permissions(), ignored);
  }
  if (ok) {
    fs::rename(temporary, target, error);
    ok = !error;
  }
  if (!ok) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return Fail(reason, error);
  }
  return true;
}
