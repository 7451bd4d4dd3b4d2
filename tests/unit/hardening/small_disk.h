// A small disk of the test's own: a tmpfs mounted on a temporary folder, which the test can
// fill or make read-only. Needs root (root ignores file modes, so a mount is the only way to
// refuse it a write); elsewhere the test is skipped with the reason.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace zunta::testing {

class SmallDisk {
  public:
    // Mounts `kilobytes` of tmpfs on `dir`, creating it. Check ok() / reason().
    SmallDisk(std::filesystem::path dir, int kilobytes) : dir_(std::move(dir)) {
        if (geteuid() != 0) {
            reason_ = "mounting a small disk needs root";
            return;
        }
        std::filesystem::create_directories(dir_);
        if (!Run("mount -t tmpfs -o size=" + std::to_string(kilobytes) + "k tmpfs " + Quoted())) {
            reason_ = "mount -t tmpfs failed on " + dir_.string();
            return;
        }
        mounted_ = true;
    }
    ~SmallDisk() {
        if (mounted_) {
            Run("umount " + Quoted());
        }
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool ok() const { return mounted_; }
    const std::string& reason() const { return reason_; }
    const std::filesystem::path& dir() const { return dir_; }

    bool MakeReadOnly() { return Run("mount -o remount,ro " + Quoted()); }
    bool MakeWritable() { return Run("mount -o remount,rw " + Quoted()); }

    // Leaves no more than `freeBytes` free, with a filler file; false when it could not.
    bool FillLeaving(std::uintmax_t freeBytes) {
        const std::uintmax_t available = std::filesystem::space(dir_).available;
        if (available < freeBytes) {
            return false;
        }
        std::ofstream filler(dir_ / ".filler", std::ios::binary | std::ios::app);
        filler << std::string(available - freeBytes, 'f');
        filler.flush();
        return static_cast<bool>(filler) && std::filesystem::space(dir_).available <= freeBytes;
    }

  private:
    static bool Run(const std::string& command) {
        return std::system((command + " 2>/dev/null").c_str()) == 0;
    }
    std::string Quoted() const { return "'" + dir_.string() + "'"; }

    std::filesystem::path dir_;
    bool mounted_ = false;
    std::string reason_;
};

}  // namespace zunta::testing

// Skips the test when the disk could not be had.
#define ZUNTA_NEED_DISK(disk)                \
    do {                                     \
        if (!(disk).ok()) {                  \
            GTEST_SKIP() << (disk).reason(); \
        }                                    \
    } while (false)
