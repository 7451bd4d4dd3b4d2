// The recorded study logs, in an SQLite database file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "devserver/study_log.h"

struct sqlite3;

namespace zunta::devserver {

struct StoredStudyLog {
    std::int64_t id = 0;
    std::string receivedAt;  // UTC, "2026-12-11T15:04:05.123Z"
    std::string rawTarget;   // byte for byte as received
    StudyLogFields fields;
};

// One connection, shared by the server's threads under a lock.
class StudyLogStore {
  public:
    // Opens or creates the database and its tables; nullptr and a message when that fails.
    static std::unique_ptr<StudyLogStore> Open(const std::filesystem::path& file,
                                               std::string& error);
    ~StudyLogStore();
    StudyLogStore(const StudyLogStore&) = delete;
    StudyLogStore& operator=(const StudyLogStore&) = delete;

    enum class Outcome { Recorded, AlreadyRecorded, Failed };

    // Stores one request; a raw target stored before is left as it is (a client that sends
    // the same request again, as the test client's outbox does, is recorded once).
    Outcome Record(std::string_view rawTarget, const StudyLogFields& fields,
                   std::string_view receivedAt);

    // The `limit` most recently recorded logs, newest first.
    std::vector<StoredStudyLog> Newest(std::size_t limit);

  private:
    explicit StudyLogStore(sqlite3* db) : db_(db) {}
    bool Exec(const char* sql);

    std::mutex mutex_;
    sqlite3* db_;
};

}  // namespace zunta::devserver
