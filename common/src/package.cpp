#include "zunta/package.h"

#include <cstring>

#include "zunta/platform/codepage.h"
#include "zunta/text.h"

namespace zunta {
namespace {

std::string OpenTag(std::string_view name) {
    return "<" + std::string(name) + ">";
}
std::string CloseTag(std::string_view name) {
    return "</" + std::string(name) + ">";
}
std::string QuestionTagName(int n) {
    return "Q" + std::to_string(n);
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

// Longest tag the index records; longer tags are looked up with a literal search, so a text
// full of "<" without ">" cannot make the single pass quadratic.
constexpr std::size_t kMaxIndexedTag = 64;

}  // namespace

std::string PackageTag(std::string_view packageText, std::string_view tagName) {
    return TextBetweenTags(packageText, OpenTag(tagName), CloseTag(tagName));
}

std::string EntryFromTagValue(std::string_view tagValue) {
    return ReplaceAll(tagValue, "\r\n", "@@");
}

std::string QuestionEntry(std::string_view packageText, int n) {
    return EntryFromTagValue(PackageTag(packageText, QuestionTagName(n)));
}

std::string EntryAnswer(std::string_view entry) {
    return Trim(NthToken(entry, "|", 2));
}

std::string EntryType(std::string_view entry) {
    return Trim(NthToken(entry, "|", 3));
}

int AnswerPartCount(std::string_view answer) {
    int parts = 1;
    for (std::size_t at = answer.find("@@"); at != std::string_view::npos;
         at = answer.find("@@", at + 2)) {
        ++parts;
    }
    return parts;
}

std::vector<std::string> PictureLines(std::string_view qdataText) {
    const std::string joined = JoinLines(SplitLines(qdataText));
    return SplitLines(ReplaceAll(joined, "@@@BR@@@", "\r\n"));
}

std::string PictureFor(const std::vector<std::string>& pictureLines, int n) {
    const std::string name = std::to_string(n);
    for (const auto& line : pictureLines) {
        const std::size_t eq = line.find('=');
        if (eq != std::string::npos &&
            EqualsIgnoringAsciiCase(std::string_view(line).substr(0, eq), name)) {
            return line.substr(eq + 1);
        }
    }
    return {};
}

DecodedPackage DecodeStudyPackageFile(std::string_view fileBytes) {
    const std::size_t zero = fileBytes.find('\0');
    if (zero != std::string_view::npos) {
        fileBytes = fileBytes.substr(0, zero);
    }
    const std::string joined = JoinLines(SplitLines(fileBytes));

    std::u16string wide;
    wide.reserve(joined.size());
    for (std::size_t i = 0; i < joined.size();) {
        const auto lead = static_cast<unsigned char>(joined[i]);
        if (lead < 0x80) {
            wide.push_back(lead);
            ++i;
            continue;
        }
        const std::size_t length = (lead & 0x20) ? 3 : 2;
        if (i + length > joined.size()) {
            return {{}, true};
        }
        unsigned value = (length == 3) ? (lead & 0x0Fu) : (lead & 0x1Fu);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(joined[i + k]);
            if ((next & 0xC0) != 0x80) {
                return {{}, true};
            }
            value = (value << 6) | (next & 0x3Fu);
        }
        wide.push_back(static_cast<char16_t>(value));
        i += length;
    }
    return {platform::Utf16ToAnsi(wide), false};
}

PackageIndex::PackageIndex(std::string_view packageText) : text_(packageText) {
    // Every occurrence of a tag <...> whose name holds no "<" or ">" starts at a "<" and ends at
    // the first ">" behind it, so pairing each "<" with the next ">" meets them all. Both are
    // found with memchr, which skips the long stretches of plain text in between.
    const char* const begin = text_.data();
    const char* const end = begin + text_.size();
    const char* close = begin;  // the first ">" at or after the current "<", once looked up
    first_.reserve(text_.size() / 64 + 16);
    for (const char* open = static_cast<const char*>(std::memchr(begin, '<', text_.size()));
         open != nullptr;
         open = static_cast<const char*>(std::memchr(open + 1, '<', end - open - 1))) {
        if (close != nullptr && close <= open) {
            close = static_cast<const char*>(std::memchr(open, '>', end - open));
        }
        if (close == nullptr) {
            break;  // no ">" behind this "<", so none behind the later ones either
        }
        const auto length = static_cast<std::size_t>(close - open + 1);
        if (length <= kMaxIndexedTag) {
            first_.try_emplace(std::string_view(open, length),
                               static_cast<std::size_t>(open - begin) + 1);
        }
    }
}

std::size_t PackageIndex::FirstPosition(std::string_view tag) const {
    const bool indexable =
        tag.size() >= 2 && tag.size() <= kMaxIndexedTag && tag.front() == '<' &&
        tag.back() == '>' &&
        tag.substr(1, tag.size() - 2).find_first_of("<>") == std::string_view::npos;
    if (!indexable) {
        return FindFirst(text_, tag);
    }
    const auto it = first_.find(tag);
    return it == first_.end() ? 0 : it->second;
}

std::string PackageIndex::Between(std::string_view openTag, std::string_view closeTag) const {
    return TextBetweenPositions(text_, FirstPosition(openTag), openTag.size(),
                                FirstPosition(closeTag));
}

std::string PackageIndex::Tag(std::string_view tagName) const {
    return Between(OpenTag(tagName), CloseTag(tagName));
}

std::string PackageIndex::Question(int n) const {
    return EntryFromTagValue(Tag(QuestionTagName(n)));
}

}  // namespace zunta
