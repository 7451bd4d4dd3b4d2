// What the question screen shows for one question: the counter, the answer controls and the
// question page. Computed from the test run state; the form only applies it.
#pragma once

#include <string>
#include <string_view>

#include "testclient/core/testrun.h"

namespace zunta::testclient {

struct QuestionView {
    int qno = 0;
    std::string step;       // "QNo/QCount"
    std::string type;       // field 3 of the entry, trimmed
    int parts = 0;          // answer parts of a written question, 0 otherwise (may exceed 5)
    int writtenFields = 0;  // edit fields to show, 0 to 5
    bool choices = false;   // show CB_1..CB_5; every type but "1" is answered with them
    std::string picture;    // empty: the page keeps showing the previous question's
    std::string pageHtml;   // code page 949; empty when there is no picture
};

// The question page: the number in large bold type with ")", the picture centred below it.
// The picture address is HTML-escaped, so a package cannot add markup to the page.
std::string QuestionPageHtml(std::string_view number, std::string_view picture);

// Sets the screen up for question QNo and writes the LoadStudyForm lines to the run log.
QuestionView LoadStudyForm(TestRun& run, int mode, std::string_view entry);

}  // namespace zunta::testclient
