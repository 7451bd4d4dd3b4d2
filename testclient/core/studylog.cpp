#include "testclient/core/studylog.h"

#include "zunta/text.h"
#include "zunta/urlencode.h"

namespace zunta::testclient {

std::string EncodeWrongAnswer(std::string_view answer) {
    return ReplaceAll(ReplaceAll(UrlEncode(answer), "&", "%26"), "=", "%3D");
}

std::string ScoreTest(TestRunState& state) {
    state.TotalPoint = 0;
    state.OXMarks.clear();
    std::string answers;
    for (int n = 1; n <= state.QCount; ++n) {
        const auto i = static_cast<std::size_t>(n - 1);
        state.TotalPoint += state.QPoint[i];
        if (state.QPoint[i] <= 0) {
            state.OXMarks += 'X';
            answers += "&qa" + std::to_string(n) + "=" + EncodeWrongAnswer(state.QWrongAnswer[i]);
        } else {
            state.OXMarks += 'O';
        }
    }
    return state.OXMarks + answers;
}

std::string StudyLogAddress(std::string_view serverBase, const TestRunState& state,
                            std::string_view odap) {
    std::string address(serverBase);
    address += "/admin/api_sendlog.php?idkey=" + state.IdKey + "&testidkey=" + state.TestIdKey +
               "&uid=" + state.Uid + "&tcnt=" + std::to_string(state.QCount) +
               "&scnt=" + std::to_string(state.TotalPoint) + "&stat=Y&odap=";
    address += odap;
    return UrlEncode(address);
}

}  // namespace zunta::testclient
