// The built zunta-devserver as a process: the address it prints, its stop on SIGTERM, and its
// refusals of bad command lines.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "tests/unit/devserver/raw_http.h"

#include "tests/support/temp_folder.h"

extern char** environ;

namespace zunta::devserver::testing {
namespace {

using ::testing::HasSubstr;

// A started program with its stdout and stderr on pipes.
class Process {
  public:
    explicit Process(std::vector<std::string> arguments) {
        int out[2];
        int err[2];
        if (::pipe(out) != 0 || ::pipe(err) != 0) {
            throw std::runtime_error("no pipe");
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        posix_spawn_file_actions_adddup2(&actions, err[1], 2);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        posix_spawn_file_actions_addclose(&actions, err[0]);
        arguments.insert(arguments.begin(), ZUNTA_DEVSERVER_PROGRAM);
        std::vector<char*> argv;
        for (std::string& a : arguments) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
            throw std::runtime_error("cannot start the devserver");
        }
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        ::close(err[1]);
        out_ = out[0];
        err_ = err[0];
    }
    ~Process() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            Wait();
        }
        ::close(out_);
        ::close(err_);
    }

    // The next line of stdout, waiting at most 10 s for it.
    std::string StdoutLine() {
        std::string line;
        char c = 0;
        while (true) {
            pollfd watch{out_, POLLIN, 0};
            if (::poll(&watch, 1, 10000) <= 0 || ::read(out_, &c, 1) != 1 || c == '\n') {
                return line;
            }
            line += c;
        }
    }
    std::string Stderr() { return ReadToEnd(err_); }

    // The exit code; -1 when the program did not end within 10 s (it is then killed).
    int Wait() {
        int status = 0;
        for (int waited = 0; ::waitpid(pid_, &status, WNOHANG) == 0; waited += 10) {
            if (waited >= 10000) {
                ::kill(pid_, SIGKILL);
                ::waitpid(pid_, &status, 0);
                pid_ = -1;
                return -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    void Terminate() { ::kill(pid_, SIGTERM); }

  private:
    static std::string ReadToEnd(int fd) {
        std::string text;
        char buffer[1024];
        ssize_t n = 0;
        while ((n = ::read(fd, buffer, sizeof buffer)) > 0) {
            text.append(buffer, static_cast<std::size_t>(n));
        }
        return text;
    }

    pid_t pid_ = -1;
    int out_ = -1;
    int err_ = -1;
};

class ProgramTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::random_device random;
        root_ = zunta::testsupport::MakeTempFolder("devserver-program");
        std::filesystem::create_directories(root_ / "packages");
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    std::string Path(const char* name) const { return (root_ / name).string(); }

    std::filesystem::path root_;
};

TEST_F(ProgramTest, PrintsItsAddressServesAndStopsOnTerm) {
    Process server({"--port", "0", "--packages", Path("packages"), "--db", Path("r.sqlite")});
    const std::string line = server.StdoutLine();
    std::smatch match;
    ASSERT_TRUE(std::regex_match(
        line, match, std::regex("zunta-devserver: listening on http://127\\.0\\.0\\.1:([0-9]+)")))
        << line;
    const int port = std::stoi(match[1]);
    EXPECT_GT(port, 0);

    EXPECT_EQ(RawGet(port, "/admin/api_sendlog.php?idkey=1&uid=a&odap=O").body, "OK");
    EXPECT_THAT(RawGet(port, "/results.json").body, HasSubstr("\"uid\":\"a\""));

    server.Terminate();
    EXPECT_EQ(server.Wait(), 0);
    EXPECT_EQ(server.StdoutLine(), "zunta-devserver: stopped");
    EXPECT_THAT(server.Stderr(), HasSubstr("GET /results.json -> 200"));
    EXPECT_TRUE(std::filesystem::exists(root_ / "r.sqlite"));
}

TEST_F(ProgramTest, RefusesBadCommandLinesWithAKoreanReason) {
    struct Case {
        std::vector<std::string> arguments;
        int exitCode;
        const char* reason;
    };
    const Case cases[] = {
        {{}, 2, "꼭 필요합니다"},
        {{"--port", "0", "--packages", Path("packages")}, 2, "꼭 필요합니다"},
        {{"--port", "70000", "--packages", Path("packages"), "--db", Path("r")}, 2, "--port"},
        {{"--port", "x", "--packages", Path("packages"), "--db", Path("r")}, 2, "--port"},
        {{"--port", "0", "--verbose", "1"}, 2, "알 수 없는 옵션"},
        {{"--port"}, 2, "값이 없는 옵션"},
        {{"--port", "0", "--packages", Path("none"), "--db", Path("r")},
         1,
         "패키지 폴더가 없습니다"},
        {{"--port", "0", "--packages", Path("packages"), "--db", Path("no/such/r.sqlite")},
         1,
         "데이터베이스를 열 수 없습니다"},
    };
    for (const Case& c : cases) {
        Process program(c.arguments);
        EXPECT_EQ(program.Wait(), c.exitCode) << ::testing::PrintToString(c.arguments);
        EXPECT_THAT(program.Stderr(), HasSubstr(c.reason)) << ::testing::PrintToString(c.arguments);
    }
}

TEST_F(ProgramTest, APortInUseIsReported) {
    Process first({"--port", "0", "--packages", Path("packages"), "--db", Path("a.sqlite")});
    const std::string line = first.StdoutLine();
    const std::string port = line.substr(line.rfind(':') + 1);
    Process second({"--port", port, "--packages", Path("packages"), "--db", Path("b.sqlite")});
    EXPECT_EQ(second.Wait(), 1);
    EXPECT_THAT(second.Stderr(), HasSubstr("127.0.0.1:" + port));
}

}  // namespace
}  // namespace zunta::devserver::testing
