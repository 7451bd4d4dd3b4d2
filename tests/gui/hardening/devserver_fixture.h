// The development server in the test process on a free port of 127.0.0.1, serving test 7 from a
// temporary folder, with its fault control reached over a plain socket.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "devserver/server.h"
#include "tests/unit/devserver/raw_http.h"
#include "tests/unit/launcher/temp_folder.h"
#include "zunta/platform/files.h"

namespace zunta::testing {

// Long enough that half of it is clearly not all of it.
inline const std::string kDevPackage =
    "<RESULT>OK</RESULT><SUBJECT>hardening</SUBJECT><UID>u1</UID><IDKEY>7</IDKEY>"
    "<TESTIDKEY>8</TESTIDKEY><QCOUNT>0</QCOUNT><QLIST></QLIST><QDATA></QDATA>" +
    std::string(2000, ' ');

class DevServerHarness {
  public:
    DevServerHarness() {
        platform::CreateFolders(root_.path() / "packages");
        platform::CreateFolders(root_.path() / "pictures");
        platform::WriteFileReplacing(root_.path() / "packages" / "7.txt", kDevPackage);
        devserver::ServerOptions options;
        options.packagesDir = root_.path() / "packages";
        options.picturesDir = root_.path() / "pictures";
        options.databaseFile = root_.path() / "results.sqlite";
        server_ = std::make_unique<devserver::DevServer>(options);
        started_ = server_->Start(error_);
    }

    bool started() const { return started_; }
    const std::string& error() const { return error_; }
    std::string baseUrl() const { return server_->baseUrl(); }

    // Arms a fault ("path=...&mode=..."); false with the server's reason in `why`.
    bool Arm(const std::string& control, std::string& why) {
        const auto reply = devserver::testing::RawPost(server_->port(), "/_control/fault", control);
        why = reply.body;
        return reply.status == 200;
    }

    bool ResetFaults() {
        return devserver::testing::RawPost(server_->port(), "/_control/reset", "").status == 200;
    }

    // How many study logs the server has recorded.
    int RecordedLogs() const {
        const std::string json = devserver::testing::RawGet(server_->port(), "/results.json").body;
        int n = 0;
        for (std::size_t at = json.find("{\"id\":"); at != std::string::npos;
             at = json.find("{\"id\":", at + 1)) {
            ++n;
        }
        return n;
    }

  private:
    TempFolder root_;
    std::unique_ptr<devserver::DevServer> server_;
    bool started_ = false;
    std::string error_;
};

}  // namespace zunta::testing
