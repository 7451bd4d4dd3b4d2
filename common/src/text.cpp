#include "zunta/text.h"

namespace zunta {

std::string NthToken(std::string_view source, std::string_view separator, int n) {
    if (n < 1) {
        return {};
    }
    if (separator.size() != 1) {
        return n == 1 ? std::string(source) : std::string();
    }
    const char sep = separator.front();
    int field = 1;
    std::size_t begin = 0;
    for (std::size_t i = 0; i < source.size(); ++i) {
        if (source[i] != sep) {
            continue;
        }
        if (field == n) {
            return std::string(source.substr(begin, i - begin));
        }
        ++field;
        begin = i + 1;
    }
    return field == n ? std::string(source.substr(begin)) : std::string();
}

std::size_t FindFirst(std::string_view haystack, std::string_view needle) {
    if (needle.empty()) {
        return 0;
    }
    const std::size_t at = haystack.find(needle);
    return at == std::string_view::npos ? 0 : at + 1;
}

std::string TextBetweenPositions(std::string_view source, std::size_t openPos,
                                 std::size_t openLength, std::size_t closePos) {
    // Positions are 1-based; the arithmetic is signed because a missing opening tag (0) or a
    // closing tag in front of the opening one gives a start or a count below the range.
    const long long start = static_cast<long long>(openPos + openLength);
    const long long count = static_cast<long long>(closePos) - static_cast<long long>(openPos) -
                            static_cast<long long>(openLength);
    const long long first = start < 1 ? 1 : start;
    const long long size = static_cast<long long>(source.size());
    if (count <= 0 || first > size) {
        return {};
    }
    const long long available = size - first + 1;
    return std::string(
        source.substr(static_cast<std::size_t>(first - 1),
                      static_cast<std::size_t>(count < available ? count : available)));
}

std::string TextBetweenTags(std::string_view source, std::string_view openTag,
                            std::string_view closeTag) {
    return TextBetweenPositions(source, FindFirst(source, openTag), openTag.size(),
                                FindFirst(source, closeTag));
}

std::string Trim(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= 32) {
        ++begin;
    }
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32) {
        --end;
    }
    return std::string(text.substr(begin, end - begin));
}

namespace {

// Calls `piece` for every stretch between line breaks; returns whether the text ended in a break.
template <typename F>
bool ForEachPiece(std::string_view text, F&& piece) {
    std::size_t begin = 0;
    std::size_t i = 0;
    bool endsInBreak = false;
    while (i < text.size()) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            ++i;
            endsInBreak = false;
            continue;
        }
        piece(text.substr(begin, i - begin));
        i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
        begin = i;
        endsInBreak = true;
    }
    if (begin < text.size()) {
        piece(text.substr(begin));
    }
    return endsInBreak;
}

}  // namespace

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    ForEachPiece(text, [&](std::string_view p) { lines.emplace_back(p); });
    return lines;
}

std::vector<std::string> SplitPieces(std::string_view text) {
    std::vector<std::string> pieces;
    const bool endsInBreak =
        ForEachPiece(text, [&](std::string_view p) { pieces.emplace_back(p); });
    if (endsInBreak || text.empty()) {
        pieces.emplace_back();
    }
    return pieces;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::size_t total = 0;
    for (const auto& line : lines) {
        total += line.size() + 2;
    }
    std::string joined;
    joined.reserve(total);
    for (const auto& line : lines) {
        joined += line;
        joined += "\r\n";
    }
    return joined;
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty()) {
        return std::string(text);
    }
    std::string out;
    out.reserve(text.size());
    std::size_t begin = 0;
    for (std::size_t at = text.find(from); at != std::string_view::npos;
         at = text.find(from, begin)) {
        out.append(text.substr(begin, at - begin));
        out.append(to);
        begin = at + from.size();
    }
    out.append(text.substr(begin));
    return out;
}

std::string AsciiUpper(std::string_view text) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto byte = static_cast<unsigned char>(out[i]);
        if (byte >= 0x81 && byte <= 0xFE) {
            ++i;  // lead byte of a double-byte character: its trail byte may look like a letter
        } else if (byte >= 'a' && byte <= 'z') {
            out[i] = static_cast<char>(byte - 'a' + 'A');
        }
    }
    return out;
}

}  // namespace zunta
