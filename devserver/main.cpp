// zunta-devserver --port N --packages DIR --db FILE [--pictures DIR]
#include <pthread.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "devserver/server.h"

namespace {

constexpr const char* kUsage =
    "사용법: zunta-devserver --port N --packages 폴더 --db 파일 [--pictures 폴더]\n"
    "  --port N         127.0.0.1의 포트 (0이면 빈 포트를 골라 알려 줍니다)\n"
    "  --packages 폴더  시험 패키지 폴더 (시험 키 K의 패키지는 K.txt, 코드 페이지 949)\n"
    "  --db 파일        학습 결과를 기록할 SQLite 파일 (없으면 만듭니다)\n"
    "  --pictures 폴더  문제 그림 폴더 (/pictures/ 아래로 제공; 기본값: 패키지 폴더 옆의 "
    "pictures)\n";

int Usage(const std::string& problem) {
    std::fprintf(stderr, "zunta-devserver: %s\n%s", problem.c_str(), kUsage);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    zunta::devserver::ServerOptions options;
    options.logRequests = true;
    bool havePort = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view name = argv[i];
        if (name == "--help" || name == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (i + 1 >= argc) {
            return Usage("값이 없는 옵션입니다: " + std::string(name));
        }
        const std::string value = argv[++i];
        if (name == "--port") {
            char* end = nullptr;
            const long port = std::strtol(value.c_str(), &end, 10);
            if (value.empty() || *end != '\0' || port < 0 || port > 65535) {
                return Usage("--port에는 0부터 65535까지의 수가 필요합니다: " + value);
            }
            options.port = static_cast<int>(port);
            havePort = true;
        } else if (name == "--packages") {
            options.packagesDir = value;
        } else if (name == "--db") {
            options.databaseFile = value;
        } else if (name == "--pictures") {
            options.picturesDir = value;
        } else {
            return Usage("알 수 없는 옵션입니다: " + std::string(name));
        }
    }
    if (!havePort || options.packagesDir.empty() || options.databaseFile.empty()) {
        return Usage("--port, --packages, --db는 꼭 필요합니다");
    }
    if (options.picturesDir.empty()) {
        options.picturesDir = options.packagesDir.parent_path() / "pictures";
    }

    // Only this thread takes the stop signals; the server's threads inherit the mask.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    zunta::devserver::DevServer server(options);
    std::string error;
    if (!server.Start(error)) {
        std::fprintf(stderr, "zunta-devserver: %s\n", error.c_str());
        return 1;
    }
    std::printf("zunta-devserver: listening on %s\n", server.baseUrl().c_str());
    std::fflush(stdout);

    int received = 0;
    sigwait(&stopSignals, &received);
    server.Stop();
    std::printf("zunta-devserver: stopped\n");
    return 0;
}
