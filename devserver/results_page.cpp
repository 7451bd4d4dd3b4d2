#include "devserver/results_page.h"

#include <cstdio>

#include "zunta/html.h"
#include "zunta/platform/codepage.h"

namespace zunta::devserver {
namespace {

std::string WrongAnswersText(const std::vector<WrongAnswer>& answers) {
    std::string text;
    for (const WrongAnswer& wrong : answers) {
        if (!text.empty()) {
            text += ", ";
        }
        text += std::to_string(wrong.question) + "번: " + wrong.answer;
    }
    return text;
}

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

}  // namespace

std::string ResultsHtml(const std::vector<StoredStudyLog>& logs) {
    std::string page =
        "<!DOCTYPE html>\n<html lang=\"ko\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<title>ZUNTA 학습 결과</title>\n"
        "<style>body{font-family:sans-serif;margin:2em}table{border-collapse:collapse}"
        "th,td{border:1px solid #999;padding:4px 8px;text-align:left}th{background:#eee}"
        "</style>\n</head>\n<body>\n<h1>받은 학습 결과</h1>\n";
    if (logs.empty()) {
        page += "<p>아직 받은 학습 결과가 없습니다.</p>\n";
    } else {
        page += "<p>최근 것부터 " + std::to_string(logs.size()) + "건 (최대 " +
                std::to_string(kResultsShown) + "건까지 보입니다)</p>\n";
        page +=
            "<table>\n<tr><th>받은 시각 (UTC)</th><th>학생 (uid)</th><th>시험 (idkey)</th>"
            "<th>응시 (testidkey)</th><th>점수</th><th>정오표 (odap)</th><th>틀린 답</th></tr>\n";
        for (const StoredStudyLog& log : logs) {
            const StudyLogFields& f = log.fields;
            page += "<tr><td>" + zunta::HtmlEscape(log.receivedAt) + "</td><td>" +
                    zunta::HtmlEscape(f.uid) + "</td><td>" + zunta::HtmlEscape(f.idkey) +
                    "</td><td>" + zunta::HtmlEscape(f.testidkey) + "</td><td>" +
                    zunta::HtmlEscape(f.scnt) + "/" + zunta::HtmlEscape(f.tcnt) + "</td><td>" +
                    zunta::HtmlEscape(f.odap) + "</td><td>" +
                    zunta::HtmlEscape(WrongAnswersText(f.wrongAnswers)) + "</td></tr>\n";
        }
        page += "</table>\n";
    }
    return page + "</body>\n</html>\n";
}

std::string ResultsJson(const std::vector<StoredStudyLog>& logs) {
    std::string json = "[";
    for (const StoredStudyLog& log : logs) {
        const StudyLogFields& f = log.fields;
        if (json.size() > 1) {
            json += ",";
        }
        json += "\n{\"id\":" + std::to_string(log.id) +
                ",\"receivedAt\":" + JsonString(log.receivedAt) +
                ",\"rawTarget\":" + JsonString(platform::AnsiToUtf8(log.rawTarget)) +
                ",\"idkey\":" + JsonString(f.idkey) + ",\"testidkey\":" + JsonString(f.testidkey) +
                ",\"uid\":" + JsonString(f.uid) + ",\"tcnt\":" + JsonString(f.tcnt) +
                ",\"scnt\":" + JsonString(f.scnt) + ",\"stat\":" + JsonString(f.stat) +
                ",\"odap\":" + JsonString(f.odap) + ",\"wrongAnswers\":{";
        for (std::size_t i = 0; i < f.wrongAnswers.size(); ++i) {
            json += (i ? ",\"qa" : "\"qa") + std::to_string(f.wrongAnswers[i].question) +
                    "\":" + JsonString(f.wrongAnswers[i].answer);
        }
        json += "}}";
    }
    return json + "\n]\n";
}

}  // namespace zunta::devserver
