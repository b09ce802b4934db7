#include "support/WriteFaults.h"

#include <sys/resource.h>
#include <sys/stat.h>

#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Small enough that every file the program writes is larger.
constexpr rlim_t FullDiskBytes = 4;
constexpr const char* DirectoryKeeper = "keep";

}  // namespace

std::vector<WriteFault> AllWriteFaults() {
  return {WriteFault::ReadOnlyFolder, WriteFault::FolderUnderAFile, WriteFault::FullDevice,
          WriteFault::FullDisk,       WriteFault::OverDirectory,    WriteFault::VanishedFolder};
}

std::string WriteFaultName(WriteFault fault) {
  switch (fault) {
    case WriteFault::ReadOnlyFolder:
      return "ReadOnlyFolder";
    case WriteFault::FolderUnderAFile:
      return "FolderUnderAFile";
    case WriteFault::FullDevice:
      return "FullDevice";
    case WriteFault::FullDisk:
      return "FullDisk";
    case WriteFault::OverDirectory:
      return "OverDirectory";
    case WriteFault::VanishedFolder:
      return "VanishedFolder";
  }
  return "?";
}

std::string WriteFaultReason(WriteFault fault) {
  switch (fault) {
    case WriteFault::ReadOnlyFolder:
      return std::make_error_code(std::errc::permission_denied).message();
    case WriteFault::FolderUnderAFile:
      return std::make_error_code(std::errc::not_a_directory).message();
    case WriteFault::FullDevice:
      return std::make_error_code(std::errc::no_space_on_device).message();
    case WriteFault::FullDisk:
      return std::make_error_code(std::errc::file_too_large).message();
    case WriteFault::OverDirectory:
      return std::make_error_code(std::errc::is_a_directory).message();
    case WriteFault::VanishedFolder:
      return std::make_error_code(std::errc::no_such_file_or_directory).message();
  }
  return {};
}

bool PermissionsEnforced() {
  const TempDir probe;
  const fs::path locked = fs::path(probe.path()) / "locked";
  fs::create_directory(locked);
  fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
  const bool created = static_cast<bool>(std::ofstream(locked / "probe"));
  fs::permissions(locked, fs::perms::owner_all);
  return !created;
}

bool DevFullIsDevice() {
  std::error_code error;
  return fs::is_character_file(fs::symlink_status("/dev/full", error));
}

FaultyFolder::FaultyFolder(WriteFault fault) : fault_(fault), folder_(fs::path(root_.path()) / "place") {
  if (fault == WriteFault::FolderUnderAFile) {
    WriteWholeFile(folder_.string(), "a plain file\n");
  } else {
    fs::create_directory(folder_);
  }
}

FaultyFolder::~FaultyFolder() {
  disarm();
}

std::string FaultyFolder::place(const std::string& name, const std::string& earlier, bool mustStay) {
  const fs::path path = folder_ / name;
  bool hasEarlier = false;
  switch (fault_) {
    case WriteFault::ReadOnlyFolder:
    case WriteFault::FullDisk:
      WriteWholeFile(path.string(), earlier);
      hasEarlier = true;
      break;
    case WriteFault::FullDevice:
      fs::create_symlink("/dev/full", path);
      break;
    case WriteFault::OverDirectory:
      fs::create_directory(path);
      WriteWholeFile((path / DirectoryKeeper).string(), earlier);
      break;
    case WriteFault::FolderUnderAFile:
    case WriteFault::VanishedFolder:
      break;
  }
  placed_.push_back({name, earlier, hasEarlier, mustStay});
  return path.string();
}

void FaultyFolder::arm() {
  if (armed_) return;
  armed_ = true;
  switch (fault_) {
    case WriteFault::ReadOnlyFolder:
      fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
      break;
    case WriteFault::VanishedFolder:
      fs::remove_all(folder_);
      break;
    case WriteFault::FullDisk: {
      // Writes past the limit fail with "File too large" instead of ending
      // the process.
      savedSignal_ = std::signal(SIGXFSZ, SIG_IGN);
      rlimit limit{};
      getrlimit(RLIMIT_FSIZE, &limit);
      savedLimit_ = limit.rlim_cur;
      limit.rlim_cur = FullDiskBytes;
      setrlimit(RLIMIT_FSIZE, &limit);
      break;
    }
    default:
      break;
  }
}

void FaultyFolder::disarm() {
  if (!armed_) return;
  armed_ = false;
  if (fault_ == WriteFault::ReadOnlyFolder) fs::permissions(folder_, fs::perms::owner_all);
  if (fault_ == WriteFault::FullDisk) {
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(savedLimit_);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, savedSignal_);
  }
}

std::string FaultyFolder::damage() const {
  std::error_code error;
  if (!DevFullIsDevice()) return "/dev/full is no longer a device";
  if (fault_ == WriteFault::VanishedFolder) {
    return fs::exists(fs::symlink_status(folder_, error)) ? "something was made in the vanished folder" : "";
  }
  if (fault_ == WriteFault::FolderUnderAFile) {
    return ReadWholeFile(folder_.string()) == "a plain file\n" ? "" : "the plain file changed";
  }
  for (const Placed& p : placed_) {
    if (!p.mustStay) continue;
    const fs::path path = folder_ / p.name;
    const fs::file_status status = fs::symlink_status(path, error);
    switch (fault_) {
      case WriteFault::FullDevice:
        if (!fs::is_symlink(status) || fs::read_symlink(path, error) != "/dev/full") {
          return p.name + " is no longer the link to /dev/full";
        }
        break;
      case WriteFault::OverDirectory:
        if (!fs::is_directory(status) || ReadWholeFile((path / DirectoryKeeper).string()) != p.earlier) {
          return "the directory " + p.name + " changed";
        }
        break;
      default:
        if (p.hasEarlier && (!fs::is_regular_file(status) || ReadWholeFile(path.string()) != p.earlier)) {
          return "the earlier " + p.name + " changed";
        }
        break;
    }
  }
  for (const auto& entry : fs::directory_iterator(folder_, error)) {
    if (entry.path().filename().string().find(".tmp") != std::string::npos) {
      return "the temporary file " + entry.path().filename().string() + " was left behind";
    }
  }
  return {};
}
