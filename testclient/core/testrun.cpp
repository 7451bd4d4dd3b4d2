#include "testclient/core/testrun.h"

#include <charconv>
#include <limits>

#include "zunta/package.h"
#include "zunta/platform/files.h"
#include "zunta/text.h"

namespace zunta::testclient {
namespace {

LoadResult Fail(LoadError error, std::string message) {
    return {error, std::move(message)};
}

std::string PathText(const std::filesystem::path& path) {
    const auto text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace

int ParseQuestionCount(std::string_view text) {
    const std::string trimmed = Trim(text);
    std::string_view digits = trimmed;
    if (!digits.empty() && digits.front() == '+') {
        digits.remove_prefix(1);  // from_chars takes a "-" but not a "+"
        if (!digits.empty() && digits.front() == '-') {
            return 0;
        }
    }
    int value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size()) {
        return 0;
    }
    return value;
}

ParsedPackage ParseStudyPackage(std::string_view packageText) {
    ParsedPackage parsed;
    const PackageIndex index(packageText);
    TestRunState& next = parsed.state;
    next.Subject = index.Tag("SUBJECT");
    next.Uid = index.Tag("UID");
    next.IdKey = index.Tag("IDKEY");
    next.TestIdKey = index.Tag("TESTIDKEY");
    next.QImageList = PictureLines(index.Tag("QDATA"));
    next.QList = SplitLines(index.Tag("QLIST"));
    parsed.questionListAsSent = next.QList;
    next.QCount = ParseQuestionCount(index.Tag("QCOUNT"));

    if (next.QCount < 0) {
        parsed.result = Fail(LoadError::BadCount,
                             "시험 문제 수가 올바르지 않습니다: " + std::to_string(next.QCount));
        return parsed;
    }
    // Checked before anything is sized from the count.
    if (static_cast<std::size_t>(next.QCount) > next.QList.size()) {
        parsed.result =
            Fail(LoadError::ShortQuestionList, "시험 문제 목록이 문제 수보다 짧습니다: 문제 수 " +
                                                   std::to_string(next.QCount) + ", 목록 " +
                                                   std::to_string(next.QList.size()) + "줄.");
        return parsed;
    }
    for (int n = 1; n <= next.QCount; ++n) {
        next.QList[static_cast<std::size_t>(n - 1)] = index.Question(n);
    }
    return parsed;
}

TestRun::TestRun(std::filesystem::path appDir) {
    state_.AppDir = std::move(appDir);
}

std::string TestRun::Caption() const {
    return loaded_ ? "::: ZUNTA [" + state_.Subject + "]" : "::: ZUNTA TEST";
}

LoadResult TestRun::LoadStudyPackage() {
    const std::filesystem::path media = MediaDir();
    const std::filesystem::path packagePath = media / "MyDataStudy.txt";

    const platform::ReadResult file = platform::ReadWholeFile(packagePath, kMaxPackageBytes);
    switch (file.status) {
        case platform::ReadStatus::Ok:
            break;
        case platform::ReadStatus::Missing:
            return Fail(LoadError::FileMissing, "시험 문제 파일을 찾을 수 없습니다.\n" +
                                                    PathText(packagePath) +
                                                    "\n웹 페이지에서 시험을 다시 시작해 주세요.");
        case platform::ReadStatus::Unreadable:
            return Fail(LoadError::FileUnreadable,
                        "시험 문제 파일을 읽을 수 없습니다.\n" + PathText(packagePath) +
                            "\n웹 페이지에서 시험을 다시 시작해 주세요.");
        case platform::ReadStatus::TooLarge:
            return Fail(LoadError::FileTooLarge,
                        "시험 문제 파일이 너무 큽니다 (" +
                            std::to_string(kMaxPackageBytes / (1024 * 1024)) + " MB 초과).\n" +
                            PathText(packagePath));
    }

    const DecodedPackage decoded = DecodeStudyPackageFile(file.bytes);
    if (decoded.brokenUtf8) {
        // Reading it as an empty test would report a finished test of 0 questions.
        return Fail(LoadError::BrokenText,
                    "시험 문제 파일이 손상되었습니다 (UTF-8 형식이 아닙니다).\n" +
                        PathText(packagePath) + "\n웹 페이지에서 시험을 다시 시작해 주세요.");
    }
    const std::string& package = decoded.text;
    ParsedPackage parsed = ParseStudyPackage(package);
    if (!parsed.result.ok()) {
        return parsed.result;
    }
    TestRunState& next = parsed.state;
    next.AppDir = state_.AppDir;
    const std::vector<std::string>& questionListAsSent = parsed.questionListAsSent;

    const std::pair<const char*, const std::vector<std::string>*> derived[] = {
        {"TempImg.txt", &next.QImageList},
        {"MyQList.txt", &questionListAsSent},
        {"TempQData.txt", &next.QList},
    };
    for (const auto& [name, lines] : derived) {
        if (!platform::WriteFileReplacing(media / name, JoinLines(*lines))) {
            return Fail(LoadError::MediaNotWritable,
                        "시험 폴더에 파일을 쓸 수 없습니다.\n" + PathText(media / name));
        }
    }

    next.QNo = 1;
    next.QPoint.assign(static_cast<std::size_t>(next.QCount), 0);
    next.QWrongAnswer.assign(static_cast<std::size_t>(next.QCount), std::string());
    next.TotalPoint = 0;

    state_ = std::move(next);
    loaded_ = true;
    log_.Append(package);
    log_.AppendUtf8("-- 총 문제수=" + std::to_string(state_.QCount));
    return {};
}

}  // namespace zunta::testclient
