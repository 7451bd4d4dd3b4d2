#include "devserver/query.h"

namespace zunta::devserver {
namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

}  // namespace

std::string PercentDecode(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            const int high = HexValue(text[i + 1]);
            const int low = HexValue(text[i + 2]);
            if (high >= 0 && low >= 0) {
                out += static_cast<char>(high * 16 + low);
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

std::string_view TargetPath(std::string_view target) {
    return target.substr(0, target.find('?'));
}

std::string_view TargetQuery(std::string_view target) {
    const std::size_t mark = target.find('?');
    return mark == std::string_view::npos ? std::string_view{} : target.substr(mark + 1);
}

std::vector<QueryPair> SplitQuery(std::string_view query) {
    std::vector<QueryPair> pairs;
    while (!query.empty()) {
        const std::size_t amp = query.find('&');
        const std::string_view piece = query.substr(0, amp);
        if (!piece.empty()) {
            const std::size_t eq = piece.find('=');
            if (eq == std::string_view::npos) {
                pairs.push_back({std::string(piece), {}});
            } else {
                pairs.push_back(
                    {std::string(piece.substr(0, eq)), std::string(piece.substr(eq + 1))});
            }
        }
        if (amp == std::string_view::npos) {
            break;
        }
        query.remove_prefix(amp + 1);
    }
    return pairs;
}

std::string QueryValue(const std::vector<QueryPair>& pairs, std::string_view name) {
    for (const QueryPair& pair : pairs) {
        if (pair.name == name) {
            return pair.value;
        }
    }
    return {};
}

}  // namespace zunta::devserver
