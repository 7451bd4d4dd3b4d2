// A devserver on a free port of 127.0.0.1, over packages, pictures and a database in a fresh
// temporary folder.
#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "devserver/server.h"
#include "tests/unit/devserver/raw_http.h"

#include "tests/support/temp_folder.h"

namespace zunta::devserver::testing {

inline void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<long>(bytes.size()));
}

class DevServerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::random_device random;
        root_ = zunta::testsupport::MakeTempFolder("devserver");
        std::filesystem::create_directories(root_ / "packages");
        std::filesystem::create_directories(root_ / "pictures");
        ServerOptions options;
        options.packagesDir = root_ / "packages";
        options.picturesDir = root_ / "pictures";
        options.databaseFile = root_ / "results.sqlite";
        Configure(options);
        server_ = std::make_unique<DevServer>(options);
        std::string error;
        ASSERT_TRUE(server_->Start(error)) << error;
    }
    void TearDown() override {
        server_.reset();
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }

    // Lets a test serve other folders.
    virtual void Configure(ServerOptions&) {}

    int port() const { return server_->port(); }
    const std::filesystem::path& root() const { return root_; }

    RawReply Get(std::string_view target) { return RawGet(port(), target); }
    RawReply Control(std::string_view what, std::string_view body) {
        return RawPost(port(), "/_control/" + std::string(what), body);
    }

    // Rows of one query on the database file, every column as text.
    std::vector<std::vector<std::string>> Query(const char* sql) const {
        sqlite3* db = nullptr;
        std::vector<std::vector<std::string>> rows;
        if (sqlite3_open_v2((root_ / "results.sqlite").c_str(), &db, SQLITE_OPEN_READONLY,
                            nullptr) != SQLITE_OK) {
            ADD_FAILURE() << "cannot open the database";
            sqlite3_close(db);
            return rows;
        }
        sqlite3_stmt* stmt = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr), SQLITE_OK) << sql;
        while (stmt && sqlite3_step(stmt) == SQLITE_ROW) {
            std::vector<std::string> row;
            for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
                const auto* text = static_cast<const char*>(sqlite3_column_blob(stmt, i));
                row.emplace_back(text ? std::string(text, static_cast<std::size_t>(
                                                              sqlite3_column_bytes(stmt, i)))
                                      : std::string());
            }
            rows.push_back(std::move(row));
        }
        sqlite3_finalize(stmt);
        sqlite3_close(db);
        return rows;
    }

    std::unique_ptr<DevServer> server_;

  private:
    std::filesystem::path root_;
};

}  // namespace zunta::devserver::testing
