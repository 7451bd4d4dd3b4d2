// Stands in for the test client: records when it started, its current folder and its
// arguments in "<its own path>.record", so tests see exactly how the launcher started it.
// Format: start time (nanoseconds of the system clock), LF, current folder, LF, then every
// argument followed by a zero byte.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    // Written beside and moved into place, so a test never reads half a record.
    const std::string record = std::string(argv[0]) + ".record";
    std::ofstream out{record + ".part", std::ios::binary | std::ios::trunc};
    out << std::chrono::duration_cast<std::chrono::nanoseconds>(now).count() << '\n'
        << std::filesystem::current_path().string() << '\n';
    for (int i = 0; i < argc; ++i) {
        out << argv[i] << '\0';
    }
    out.close();
    if (!out) {
        return 1;
    }
    std::error_code ec;
    std::filesystem::rename(record + ".part", record, ec);
    return ec ? 1 : 0;
}
