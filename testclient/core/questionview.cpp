#include "testclient/core/questionview.h"

#include <algorithm>

#include "testclient/core/grading.h"
#include "zunta/html.h"
#include "zunta/package.h"
#include "zunta/platform/codepage.h"

namespace zunta::testclient {

std::string QuestionPageHtml(std::string_view number, std::string_view picture) {
    std::string html =
        "<html><body style=\"margin:0px;\" bgcolor=\"#FFFFFF\" scroll=\"auto\"><table width=100% "
        "height=100% border=0><tbody valign=\"middle\"><tr valign=middle><td><font "
        "size=14>&nbsp;<B>";
    html += number;
    html += ")</B></font>";
    html += "<CENTER><IMG SRC=\"";
    html += zunta::HtmlEscape(picture);
    html += "\" border=0></CENTER>";
    html += "</td></tr></tbody></table>";
    html += "</body></html>";
    return html;
}

QuestionView LoadStudyForm(TestRun& run, int mode, std::string_view entry) {
    const TestRunState& s = run.State();
    QuestionView v;
    v.qno = s.QNo;
    v.step = std::to_string(s.QNo) + "/" + std::to_string(s.QCount);
    v.type = EntryType(entry);
    if (IsWrittenType(v.type)) {
        v.parts = AnswerPartCount(EntryAnswer(entry));
        v.writtenFields = std::min(v.parts, kAnswerFields);
    } else {
        v.choices = true;
    }
    const std::string qno = std::to_string(s.QNo);
    // Fixed wordings are UTF-8 in the source; the entry is code page 949 already.
    run.Log().Append(qno + ".LoadStudyForm(" + std::to_string(mode) + ")" +
                     platform::Utf8ToAnsi(" 문제형식=") + v.type + "///" + std::string(entry) +
                     platform::Utf8ToAnsi("//주관식 답 갯수=") + std::to_string(v.parts));
    v.picture = PictureFor(s.QImageList, s.QNo);
    run.Log().Append(qno + "." + v.picture);
    if (!v.picture.empty()) {
        v.pageHtml = QuestionPageHtml(qno, v.picture);
    }
    return v;
}

}  // namespace zunta::testclient
