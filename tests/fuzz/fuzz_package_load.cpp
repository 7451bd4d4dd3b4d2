// The whole load of a study package file into the test run state, and the set-up of every
// question it holds.
#include <unistd.h>

#include <filesystem>

#include "testclient/core/questionview.h"
#include "testclient/core/testrun.h"
#include "tests/fuzz/fuzz_input.h"
#include "zunta/platform/files.h"

namespace {

const std::filesystem::path& AppDir() {
    static const std::filesystem::path dir = [] {
        auto d = std::filesystem::temp_directory_path() /
                 ("zunta-fuzz-load-" + std::to_string(::getpid()));
        std::filesystem::create_directories(d / "media");
        return d;
    }();
    return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using zunta::fuzz::Check;
    using namespace zunta::testclient;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Check(zunta::platform::WriteFileReplacing(AppDir() / "media" / "MyDataStudy.txt", bytes),
          "fixture write failed");

    TestRun run(AppDir());
    const LoadResult result = run.LoadStudyPackage();
    const TestRunState& s = run.State();
    if (!result.ok()) {
        Check(!result.message.empty(), "a failure without a message");
        Check(s.QNo == 0 && s.QList.empty() && run.Log().Lines().size() == 1,
              "a failed load left state behind");
        return 0;
    }
    Check(s.QCount >= 0, "negative question count");
    Check(s.QList.size() >= static_cast<std::size_t>(s.QCount), "list shorter than the count");
    Check(s.QPoint.size() == static_cast<std::size_t>(s.QCount), "points not sized from count");
    // Set up at most a few hundred questions per input: enough to reach every entry shape.
    const int shown = s.QCount < 300 ? s.QCount : 300;
    for (int n = 1; n <= shown; ++n) {
        run.State().QNo = n;
        const QuestionView view = LoadStudyForm(run, 1, run.State().QList[n - 1]);
        Check(view.writtenFields >= 0 && view.writtenFields <= 5, "more than five fields");
        Check(view.choices != (view.type == "1"), "choices shown for a written question");
    }
    return 0;
}
