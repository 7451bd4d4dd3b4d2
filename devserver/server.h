// zunta-devserver: stands in for the organisation's web server on 127.0.0.1. Serves study
// packages and question pictures, records study logs in SQLite, shows them at /results, and
// answers badly on purpose when a test arms a fault through POST /_control/fault.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

namespace zunta::devserver {

struct ServerOptions {
    int port = 0;  // 0: any free port
    std::filesystem::path packagesDir;
    std::filesystem::path picturesDir;
    std::filesystem::path databaseFile;
    bool logRequests = false;  // one line per request on stderr
};

// How long a stalled reply hangs at most when the client does not give up first.
inline constexpr int kStallLimitMs = 120000;

class DevServer {
  public:
    explicit DevServer(ServerOptions options);
    ~DevServer();  // stops
    DevServer(const DevServer&) = delete;
    DevServer& operator=(const DevServer&) = delete;

    // Opens the database, binds 127.0.0.1 and serves on threads of its own. False with a
    // message (Korean) when the database or the port cannot be had.
    bool Start(std::string& error);
    void Stop();

    int port() const;
    std::string baseUrl() const;  // "http://127.0.0.1:<port>"

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace zunta::devserver
