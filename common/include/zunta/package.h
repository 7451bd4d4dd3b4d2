// The study package: the tagged text that the launcher stores as media/MyDataStudy.txt and the
// test client reads. All operations are pure and work on decoded package text (code page 949).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zunta {

// The value of <NAME>...</NAME>: first opening and first closing tag, untrimmed.
std::string PackageTag(std::string_view packageText, std::string_view tagName);

// The entry of question n (<Qn>...</Qn>) with every CR LF replaced by "@@": always one line.
std::string QuestionEntry(std::string_view packageText, int n);

// The question entry with CR LF already joined; shared by the literal and the indexed reader.
std::string EntryFromTagValue(std::string_view tagValue);

// Field 2 (the correct answer) and field 3 (the question type) of an entry, trimmed.
std::string EntryAnswer(std::string_view entry);
std::string EntryType(std::string_view entry);

// 1 + the number of "@@" found scanning from left to right, a match stepped over whole.
int AnswerPartCount(std::string_view answer);

// The picture list: the lines of QDATA, split again after every "@@@BR@@@" became CR LF.
std::vector<std::string> PictureLines(std::string_view qdataText);

// PICTURE of the first NAME=PICTURE line whose NAME is the decimal n (ASCII letters compared
// without regard to case, nothing trimmed); empty text when there is none.
std::string PictureFor(const std::vector<std::string>& pictureLines, int n);

// How media/MyDataStudy.txt becomes package text: the bytes up to the first zero byte, split
// into lines and joined with CR LF after every line, decoded from UTF-8 and converted to code
// page 949. The UTF-8 decoder is the system's loose one: a byte of 0x80 or above starts a
// three-byte sequence when its bit 0x20 is set and a two-byte one otherwise, and only the
// 10xxxxxx form of the further bytes is checked. Any broken sequence makes the whole text empty.
struct DecodedPackage {
    std::string text;
    bool brokenUtf8 = false;  // the bytes held a broken sequence, so `text` is empty
};
DecodedPackage DecodeStudyPackageFile(std::string_view fileBytes);

// Finds the first occurrence of every tag of the form <...> in one pass, so that reading all
// question entries of a package is linear in its size. Gives exactly the results of
// PackageTag and QuestionEntry on the same text.
class PackageIndex {
  public:
    explicit PackageIndex(std::string_view packageText);

    std::string Tag(std::string_view tagName) const;
    std::string Question(int n) const;

  private:
    // 1-based position of the first occurrence of a tag text, 0 when absent.
    std::size_t FirstPosition(std::string_view tag) const;
    std::string Between(std::string_view openTag, std::string_view closeTag) const;

    std::string_view text_;
    std::unordered_map<std::string_view, std::size_t> first_;
};

}  // namespace zunta
