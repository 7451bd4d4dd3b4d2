// The trace lines that measured runs read: one "<event> <ns>" line per call, appended.
#include "zunta/trace.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

namespace zunta {
namespace {

TEST(Trace, AppendsOneLinePerEventWithRisingTimes) {
    const auto dir = testsupport::MakeTempFolder("trace");
    const auto file = dir / "trace.txt";
    { std::ofstream(file) << "earlier 1\n"; }
    // Read once per process, so it is set before the first event of this program.
    ASSERT_EQ(::setenv("ZUNTA_TRACE_FILE", file.c_str(), 1), 0);
    ASSERT_TRUE(TraceEnabled());
    TraceEvent("client_start");
    TraceEvent("client_question1_painted");

    std::ifstream in(file);
    std::string name;
    long long first = 0, start = 0, painted = 0;
    in >> name >> first;
    EXPECT_EQ(name, "earlier");  // appended, not overwritten
    in >> name >> start;
    EXPECT_EQ(name, "client_start");
    in >> name >> painted;
    EXPECT_EQ(name, "client_question1_painted");
    EXPECT_GT(start, 1'600'000'000'000'000'000LL);  // wall clock in ns, comparable across processes
    EXPECT_GE(painted, start);
    EXPECT_FALSE(in >> name);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace zunta
