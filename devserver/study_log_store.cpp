#include "devserver/study_log_store.h"

#include <sqlite3.h>

namespace zunta::devserver {
namespace {

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS study_logs (
  id          INTEGER PRIMARY KEY AUTOINCREMENT,
  raw_target  BLOB NOT NULL UNIQUE,
  received_at TEXT NOT NULL,
  idkey       TEXT NOT NULL,
  testidkey   TEXT NOT NULL,
  uid         TEXT NOT NULL,
  tcnt        TEXT NOT NULL,
  scnt        TEXT NOT NULL,
  stat        TEXT NOT NULL,
  odap        TEXT NOT NULL
);
CREATE TABLE IF NOT EXISTS wrong_answers (
  log_id   INTEGER NOT NULL REFERENCES study_logs(id),
  question INTEGER NOT NULL,
  answer   TEXT NOT NULL,
  PRIMARY KEY (log_id, question)
);
)sql";

// Finalizes the statement however the function leaves.
class Statement {
  public:
    Statement(sqlite3* db, const char* sql) { sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr); }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool ok() const { return stmt_ != nullptr; }
    sqlite3_stmt* get() const { return stmt_; }
    void Bind(int index, std::string_view text) {
        sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()),
                          SQLITE_TRANSIENT);
    }
    void BindBlob(int index, std::string_view bytes) {
        sqlite3_bind_blob(stmt_, index, bytes.data(), static_cast<int>(bytes.size()),
                          SQLITE_TRANSIENT);
    }
    std::string Column(int index) const {
        const auto* data = static_cast<const char*>(sqlite3_column_blob(stmt_, index));
        return data
                   ? std::string(data, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, index)))
                   : std::string();
    }

  private:
    sqlite3_stmt* stmt_ = nullptr;
};

}  // namespace

std::unique_ptr<StudyLogStore> StudyLogStore::Open(const std::filesystem::path& file,
                                                   std::string& error) {
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(file.string().c_str(), &db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        error = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        sqlite3_close(db);
        return nullptr;
    }
    // Another process (a script reading the results) may hold the file for a moment.
    sqlite3_busy_timeout(db, 5000);
    std::unique_ptr<StudyLogStore> store(new StudyLogStore(db));
    if (!store->Exec(kSchema)) {
        error = sqlite3_errmsg(db);
        return nullptr;
    }
    return store;
}

StudyLogStore::~StudyLogStore() {
    sqlite3_close(db_);
}

bool StudyLogStore::Exec(const char* sql) {
    return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

StudyLogStore::Outcome StudyLogStore::Record(std::string_view rawTarget,
                                             const StudyLogFields& fields,
                                             std::string_view receivedAt) {
    std::lock_guard lock(mutex_);
    if (!Exec("BEGIN IMMEDIATE")) {
        return Outcome::Failed;
    }
    Statement insert(db_,
                     "INSERT OR IGNORE INTO study_logs (raw_target, received_at, idkey, "
                     "testidkey, uid, tcnt, scnt, stat, odap) VALUES (?,?,?,?,?,?,?,?,?)");
    if (!insert.ok()) {
        Exec("ROLLBACK");
        return Outcome::Failed;
    }
    insert.BindBlob(1, rawTarget);
    insert.Bind(2, receivedAt);
    insert.Bind(3, fields.idkey);
    insert.Bind(4, fields.testidkey);
    insert.Bind(5, fields.uid);
    insert.Bind(6, fields.tcnt);
    insert.Bind(7, fields.scnt);
    insert.Bind(8, fields.stat);
    insert.Bind(9, fields.odap);
    if (sqlite3_step(insert.get()) != SQLITE_DONE) {
        Exec("ROLLBACK");
        return Outcome::Failed;
    }
    if (sqlite3_changes(db_) == 0) {
        Exec("ROLLBACK");
        return Outcome::AlreadyRecorded;
    }
    const sqlite3_int64 id = sqlite3_last_insert_rowid(db_);
    for (const WrongAnswer& wrong : fields.wrongAnswers) {
        Statement answer(db_,
                         "INSERT INTO wrong_answers (log_id, question, answer) VALUES (?,?,?)");
        if (!answer.ok()) {
            Exec("ROLLBACK");
            return Outcome::Failed;
        }
        sqlite3_bind_int64(answer.get(), 1, id);
        sqlite3_bind_int(answer.get(), 2, wrong.question);
        answer.Bind(3, wrong.answer);
        if (sqlite3_step(answer.get()) != SQLITE_DONE) {
            Exec("ROLLBACK");
            return Outcome::Failed;
        }
    }
    return Exec("COMMIT") ? Outcome::Recorded : (Exec("ROLLBACK"), Outcome::Failed);
}

std::vector<StoredStudyLog> StudyLogStore::Newest(std::size_t limit) {
    std::lock_guard lock(mutex_);
    std::vector<StoredStudyLog> logs;
    Statement select(db_,
                     "SELECT id, received_at, raw_target, idkey, testidkey, uid, tcnt, scnt, "
                     "stat, odap FROM study_logs ORDER BY id DESC LIMIT ?");
    Statement answers(db_,
                      "SELECT question, answer FROM wrong_answers WHERE log_id = ? "
                      "ORDER BY question");
    if (!select.ok() || !answers.ok()) {
        return logs;
    }
    sqlite3_bind_int64(select.get(), 1, static_cast<sqlite3_int64>(limit));
    while (sqlite3_step(select.get()) == SQLITE_ROW) {
        StoredStudyLog log;
        log.id = sqlite3_column_int64(select.get(), 0);
        log.receivedAt = select.Column(1);
        log.rawTarget = select.Column(2);
        log.fields.idkey = select.Column(3);
        log.fields.testidkey = select.Column(4);
        log.fields.uid = select.Column(5);
        log.fields.tcnt = select.Column(6);
        log.fields.scnt = select.Column(7);
        log.fields.stat = select.Column(8);
        log.fields.odap = select.Column(9);
        sqlite3_reset(answers.get());
        sqlite3_bind_int64(answers.get(), 1, log.id);
        while (sqlite3_step(answers.get()) == SQLITE_ROW) {
            log.fields.wrongAnswers.push_back(
                {sqlite3_column_int(answers.get(), 0), answers.Column(1)});
        }
        logs.push_back(std::move(log));
    }
    return logs;
}

}  // namespace zunta::devserver
