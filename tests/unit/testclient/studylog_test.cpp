#include <gtest/gtest.h>

#include "testclient/core/frame.h"
#include "testclient/core/questionview.h"
#include "testclient/core/studylog.h"
#include "zunta/platform/codepage.h"

namespace zunta::testclient {
namespace {

TestRunState Finished(std::vector<int> points, std::vector<std::string> wrong) {
    TestRunState s;
    s.QCount = static_cast<int>(points.size());
    s.QPoint = std::move(points);
    s.QWrongAnswer = std::move(wrong);
    s.IdKey = "1203";
    s.TestIdKey = "5501";
    s.Uid = "student 01";
    return s;
}

TEST(StudyLogTest, ScoreMarksAndWrongAnswerKeys) {
    TestRunState s = Finished({1, 0, 1, 1, 0}, {"", "2,4", "", "", ""});
    EXPECT_EQ(ScoreTest(s), "OXOOX&qa2=2%2C4&qa5=");
    EXPECT_EQ(s.TotalPoint, 3);
    EXPECT_EQ(s.OXMarks, "OXOOX");

    TestRunState allRight = Finished({1, 1, 1}, {"", "", ""});
    EXPECT_EQ(ScoreTest(allRight), "OOO");
    EXPECT_EQ(allRight.TotalPoint, 3);

    TestRunState none = Finished({}, {});
    EXPECT_EQ(ScoreTest(none), "");
    EXPECT_EQ(none.TotalPoint, 0);
}

TEST(StudyLogTest, AddressIsEncodedOnceAndWrongAnswersTwice) {
    TestRunState s = Finished({0, 0, 0, 0}, {"2,4", "a b", "x&scnt=4", platform::Utf8ToAnsi("갑")});
    const std::string odap = ScoreTest(s);
    EXPECT_EQ(StudyLogAddress("http://127.0.0.1:8080", s, odap),
              "http://127.0.0.1:8080/admin/api_sendlog.php?idkey=1203&testidkey=5501"
              "&uid=student%2001&tcnt=4&scnt=0&stat=Y&odap=XXXX"
              "&qa1=2%252C4&qa2=a%2520b&qa3=x%2526scnt%253D4&qa4=%25B0%25A9");
}

TEST(StudyLogTest, KeysOfTheIdentifiersAreNotEscapedTwice) {
    // The package's own identifiers go out as they are; only the student's input is escaped.
    TestRunState s = Finished({}, {});
    s.IdKey = "12&x=1";
    EXPECT_EQ(StudyLogAddress("http://h", s, ScoreTest(s)),
              "http://h/admin/api_sendlog.php?idkey=12&x=1&testidkey=5501&uid=student%2001"
              "&tcnt=0&scnt=0&stat=Y&odap=");
}

TEST(QuestionPageTest, PictureAddressCannotAddMarkup) {
    EXPECT_EQ(QuestionPageHtml("4", "http://h/q.png?a=1&b=2"),
              "<html><body style=\"margin:0px;\" bgcolor=\"#FFFFFF\" scroll=\"auto\"><table "
              "width=100% height=100% border=0><tbody valign=\"middle\"><tr valign=middle><td>"
              "<font size=14>&nbsp;<B>4)</B></font><CENTER><IMG "
              "SRC=\"http://h/q.png?a=1&amp;b=2\" border=0></CENTER></td></tr></tbody></table>"
              "</body></html>");
    const std::string page = QuestionPageHtml("1", "x\" onerror=\"alert(1)\"><script>");
    EXPECT_EQ(page.find("<script>"), std::string::npos);
    EXPECT_NE(page.find("SRC=\"x&quot; onerror=&quot;alert(1)&quot;&gt;&lt;script&gt;\""),
              std::string::npos);
}

TEST(FrameZoneTest, DragAndCloseZones) {
    struct Spot {
        int x, y;
        bool moveLeft, moveRight, close;
    };
    const Spot spots[] = {
        {1159, 59, true, false, false},  {0, 0, true, false, false},
        {1160, 10, false, false, false}, {1161, 0, false, false, true},
        {1199, 59, false, false, true},  {1180, 60, false, false, false},
        {1160, 30, false, false, false}, {1200, 30, false, false, false},
        {100, 60, false, false, false},  {1170, -5, false, false, true},
    };
    for (const auto& s : spots) {
        SCOPED_TRACE(std::to_string(s.x) + "," + std::to_string(s.y));
        EXPECT_EQ(StartsWindowMove(MouseButton::Left, s.x, s.y), s.moveLeft);
        EXPECT_EQ(StartsWindowMove(MouseButton::Other, s.x, s.y), s.moveRight);
        EXPECT_EQ(InCloseZone(s.x, s.y), s.close);
        EXPECT_EQ(AsksToClose(s.x, s.y), s.close);
    }
}

}  // namespace
}  // namespace zunta::testclient
