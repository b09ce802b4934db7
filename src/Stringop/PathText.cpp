#include "Stringop/PathText.h"

#include <filesystem>
#include <string>
#include <system_error>

namespace {

std::size_t LastSeparator(const std::string& path) {
  return path.find_last_of("/\\");
}

}  // namespace

std::string JoinPath(const std::string& dir, const std::string& name) {
  if (!dir.empty() && IsPathSeparator(dir.back())) return dir + name;
  return dir + PathSeparator + name;
}

std::string FileNameOfPath(const std::string& path) {
  const std::size_t separator = LastSeparator(path);
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string DirectoryOfPath(const std::string& path) {
  if (path.size() < 2) return {};
  std::string withoutEnd = path;
  if (IsPathSeparator(withoutEnd.back())) withoutEnd.pop_back();
  if (DirectoryExists(withoutEnd)) return path;
  const std::size_t separator = LastSeparator(withoutEnd);
  return separator == std::string::npos ? path : withoutEnd.substr(0, separator);
}

std::string RemoveExtension(const std::string& path) {
  const std::size_t point = path.rfind('.');
  if (point == std::string::npos) return path;
  const std::size_t separator = LastSeparator(path);
  if (separator != std::string::npos && point < separator) return path;
  return path.substr(0, point);
}

bool FileExists(const std::string& path) {
  if (path.empty()) return false;
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  return !error && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

bool DirectoryExists(const std::string& path) {
  if (path.empty()) return false;
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  return !error && std::filesystem::is_directory(status);
}

bool RegularFileExists(const std::string& path) {
  if (path.empty()) return false;
  std::error_code error;
  return std::filesystem::is_regular_file(std::filesystem::status(path, error));
}
