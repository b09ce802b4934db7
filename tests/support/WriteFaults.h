#pragma once

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "support/TempDir.h"

// The ways a file write can fail that the tests bring about on purpose.
enum class WriteFault {
  ReadOnlyFolder,    // the folder forbids new files (not for root, see PermissionsEnforced)
  FolderUnderAFile,  // the "folder" is a plain file, so nothing can be made in it, even by root
  FullDevice,        // the file is a link to /dev/full
  FullDisk,          // every write beyond a few bytes fails (a lowered file size limit)
  OverDirectory,     // a directory stands where the file should go
  VanishedFolder,    // the folder is removed right before the write
};

std::vector<WriteFault> AllWriteFaults();
std::string WriteFaultName(WriteFault fault);
// The system's description of the failure each fault causes.
std::string WriteFaultReason(WriteFault fault);

// Whether a folder without write permission refuses this process new files.
// A process with the power to override permissions (root) is not refused.
bool PermissionsEnforced();

// Whether /dev/full is there as the character device it should be.
bool DevFullIsDevice();

// A place in a fresh temporary folder where writes fail in the way of one
// fault, once armed. Undoes its locks and limits when it goes.
class FaultyFolder {
 public:
  explicit FaultyFolder(WriteFault fault);
  ~FaultyFolder();
  FaultyFolder(const FaultyFolder&) = delete;
  FaultyFolder& operator=(const FaultyFolder&) = delete;

  // The folder the files go into.
  std::string folder() const { return folder_.string(); }
  // The path for a file `name` in the folder, prepared for the fault; where
  // the fault leaves room for one, an earlier file with `earlier` is put
  // there. Unless `mustStay` is false, damage() checks it is still there.
  std::string place(const std::string& name, const std::string& earlier, bool mustStay = true);
  // Makes the fault happen from now on, and stops it again.
  void arm();
  void disarm();

  // What a failed write must leave: each earlier file, link or directory as
  // it was, /dev/full still a device, no new plain file where none stood,
  // and no temporary file. Empty when all is well, else what is wrong.
  std::string damage() const;

 private:
  struct Placed {
    std::string name;
    std::string earlier;
    bool hasEarlier;
    bool mustStay;
  };

  WriteFault fault_;
  TempDir root_;
  std::filesystem::path folder_;
  std::vector<Placed> placed_;
  bool armed_ = false;
  unsigned long long savedLimit_ = 0;
  void (*savedSignal_)(int) = SIG_DFL;
};
