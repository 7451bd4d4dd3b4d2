// Request targets as they arrive: the path, the query and its NAME=VALUE pairs, still encoded.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zunta::devserver {

// Every "%" followed by two hexadecimal digits (either case) becomes that byte; everything
// else stays, "+" included (the programs encode a blank as %20, never as "+").
std::string PercentDecode(std::string_view text);

// The part of a request target before the first "?", and the part after it.
std::string_view TargetPath(std::string_view target);
std::string_view TargetQuery(std::string_view target);

struct QueryPair {
    std::string name;
    std::string value;  // still percent-encoded
};

// Splits at "&", then each piece at its first "="; a piece without "=" is a name with an empty
// value, and empty pieces are dropped. Nothing is decoded.
std::vector<QueryPair> SplitQuery(std::string_view query);

// The still encoded value of the first pair called `name`, empty when there is none.
std::string QueryValue(const std::vector<QueryPair>& pairs, std::string_view name);

}  // namespace zunta::devserver
