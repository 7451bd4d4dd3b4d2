// A fresh folder below the system's temporary folder, removed with everything in it.
#pragma once

#include <filesystem>
#include <random>
#include <string>

#include "tests/support/temp_folder.h"

namespace zunta::testing {

class TempFolder {
  public:
    TempFolder() {
        std::random_device random;
        path_ = zunta::testsupport::MakeTempFolder("launcher");
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The folder as the launcher writes folders: with a separator at the end.
    std::string dir() const { return (path_ / "").string(); }

  private:
    std::filesystem::path path_;
};

}  // namespace zunta::testing
