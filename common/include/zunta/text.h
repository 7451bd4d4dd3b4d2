// Byte-string routines shared by both programs. Text is 8-bit code page 949; positions count
// bytes from 1 where the system counts from 1. Every separator and tag is ASCII, so byte-wise
// matching is character-wise matching.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zunta {

// The n-th field (1-based) of `source` split at `separator`. Only a one-byte separator can
// match; with an empty or longer separator the whole source is field 1. Empty fields count.
std::string NthToken(std::string_view source, std::string_view separator, int n);

// The text between the first `openTag` and the first `closeTag`, both searched from the start
// of `source`. A missing opening tag counts as position 0, so the result then runs from
// position length(openTag) up to the closing tag.
std::string TextBetweenTags(std::string_view source, std::string_view openTag,
                            std::string_view closeTag);

// The substring arithmetic behind TextBetweenTags, for callers that found the tags themselves:
// `openPos` and `closePos` are 1-based positions, 0 for "not found".
std::string TextBetweenPositions(std::string_view source, std::size_t openPos,
                                 std::size_t openLength, std::size_t closePos);

// 1-based position of the first occurrence of `needle`, 0 when it does not occur or is empty.
std::size_t FindFirst(std::string_view haystack, std::string_view needle);

// Removes every byte of code 32 or below at both ends.
std::string Trim(std::string_view text);

// Splits at CR, LF or CR LF (LF CR is two breaks). A break at the very end adds no empty line;
// an empty text has no lines.
std::vector<std::string> SplitLines(std::string_view text);

// Splits at CR, LF or CR LF keeping every piece, the one after a final break included: how the
// run log takes an appended text.
std::vector<std::string> SplitPieces(std::string_view text);

// Every line followed by CR LF, the last one too.
std::string JoinLines(const std::vector<std::string>& lines);

// Every occurrence of `from`, scanned from left to right without overlaps, replaced by `to`.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

// ASCII letters a-z to A-Z. Every other byte stays as it is, and so does the trail byte of a
// double-byte character of code page 949, which may lie in the range of the ASCII letters.
std::string AsciiUpper(std::string_view text);

}  // namespace zunta
