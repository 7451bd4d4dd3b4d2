// Reading a study package into the test run state: the one-pass reader used by the test
// client against a literal reading that searches the text afresh for every tag.
#include <benchmark/benchmark.h>

#include <string>

#include "testclient/core/testrun.h"
#include "zunta/package.h"
#include "zunta/text.h"

namespace {

// About 400 bytes a question, a picture line each, the layout a real server sends.
std::string MakePackage(int questions) {
    std::string qlist;
    std::string qdata;
    std::string entries;
    for (int n = 1; n <= questions; ++n) {
        const std::string num = std::to_string(n);
        qlist += num + ",question " + num + "\r\n";
        qdata += (n > 1 ? "@@@BR@@@" : "") + num + "=http://127.0.0.1:8080/pictures/test/q" + num +
                 ".png";
        entries += "<Q" + num + ">" + num + "|" + (n % 2 ? "3" : "went@@gone") + "|" +
                   (n % 2 ? "0" : "1") + "|" + std::string(260, 'x') + "\r\n" +
                   std::string(40, 'y') + "</Q" + num + ">\r\n";
    }
    return "<RESULT>OK</RESULT>\r\n<SUBJECT>Unit 3</SUBJECT>\r\n<UID>u1</UID>\r\n"
           "<IDKEY>12</IDKEY>\r\n<TESTIDKEY>34</TESTIDKEY>\r\n<QCOUNT>" +
           std::to_string(questions) + "</QCOUNT>\r\n<QLIST>\r\n" + qlist + "</QLIST>\r\n<QDATA>" +
           qdata + "</QDATA>\r\n" + entries;
}

// The same reading with every tag taken by a fresh search from the start of the text.
zunta::testclient::TestRunState ParseLiterally(std::string_view package) {
    zunta::testclient::TestRunState s;
    s.Subject = zunta::PackageTag(package, "SUBJECT");
    s.Uid = zunta::PackageTag(package, "UID");
    s.IdKey = zunta::PackageTag(package, "IDKEY");
    s.TestIdKey = zunta::PackageTag(package, "TESTIDKEY");
    s.QImageList = zunta::PictureLines(zunta::PackageTag(package, "QDATA"));
    s.QList = zunta::SplitLines(zunta::PackageTag(package, "QLIST"));
    s.QCount = zunta::testclient::ParseQuestionCount(zunta::PackageTag(package, "QCOUNT"));
    for (int n = 1; n <= s.QCount && static_cast<std::size_t>(n) <= s.QList.size(); ++n) {
        s.QList[static_cast<std::size_t>(n - 1)] = zunta::QuestionEntry(package, n);
    }
    return s;
}

void BM_ParseOnePass(benchmark::State& state) {
    const std::string package = MakePackage(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto parsed = zunta::testclient::ParseStudyPackage(package);
        benchmark::DoNotOptimize(parsed);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * package.size()));
}

void BM_ParseLiteral(benchmark::State& state) {
    const std::string package = MakePackage(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto parsed = ParseLiterally(package);
        benchmark::DoNotOptimize(parsed);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * package.size()));
}

BENCHMARK(BM_ParseOnePass)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ParseLiteral)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
