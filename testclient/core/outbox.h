// Study log requests the server has not answered yet, kept in a file of the media folder and
// sent again at the next start of the test client. One encoded request address per line.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zunta::testclient {

// Larger outbox files are not read (a real one holds a few addresses of a few KB each).
inline constexpr std::size_t kMaxOutboxBytes = 8u * 1024u * 1024u;

class Outbox {
  public:
    explicit Outbox(std::filesystem::path mediaDir);

    std::filesystem::path FilePath() const { return file_; }

    // The pending addresses, oldest first.
    std::vector<std::string> Pending() const;
    // Keeps `address` unless it is pending already; false when the file cannot be written.
    bool Add(std::string_view address);
    // Drops `address` once the server answered it; false when the file cannot be written.
    bool Remove(std::string_view address);

  private:
    bool Store(const std::vector<std::string>& addresses) const;

    std::filesystem::path file_;
};

}  // namespace zunta::testclient
