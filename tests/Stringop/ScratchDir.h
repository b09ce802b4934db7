#pragma once

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

// A fresh, short-named directory under the system's temporary directory,
// removed with everything in it when the object goes.
class ScratchDir {
 public:
  ScratchDir() {
    std::random_device random;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (;;) {
      // Eight characters, no blanks: short enough to survive ShortPathName.
      const std::string name = "qs" + std::to_string(100000 + random() % 900000);
      path_ = base / name;
      std::error_code error;
      if (std::filesystem::create_directory(path_, error)) break;
    }
  }
  ~ScratchDir() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  std::string path() const { return path_.string(); }
  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};
