#include "launcher/core/launch_params.h"

#include "zunta/text.h"

namespace zunta::launcher {

std::string JoinArguments(const std::vector<std::string>& arguments, std::size_t first,
                          std::size_t last) {
    std::string list;
    for (std::size_t i = first; i <= last && i < arguments.size(); ++i) {
        list += '&';
        list += arguments[i];
    }
    return list;
}

namespace {

// True when an occurrence of a name at `at` begins a pair of the list.
bool BeginsPair(std::string_view list, std::size_t at, std::size_t nameLength) {
    const std::size_t end = at + nameLength;
    if (end < list.size() && list[end] != '=' && list[end] != '&') {
        return false;  // only part of a longer name
    }
    if (at == 0) {
        return true;
    }
    const char before = list[at - 1];
    if (before == '&') {
        return true;
    }
    if (before != ':' && before != '/' && before != '?') {
        return false;
    }
    // Behind the scheme prefix: still inside the first pair, and not inside its value.
    const std::size_t firstPairStart = list.front() == '&' ? 1 : 0;
    const std::string_view head = list.substr(firstPairStart, at - firstPairStart);
    return head.find('&') == std::string_view::npos && head.find('=') == std::string_view::npos;
}

}  // namespace

std::string GetParamValue(std::string_view list, std::string_view name) {
    const std::string copy = ReplaceAll(list, "%26", "&");
    std::string_view rest = copy;
    if (!name.empty()) {
        for (std::size_t at = copy.find(name); at != std::string::npos;
             at = copy.find(name, at + 1)) {
            if (BeginsPair(copy, at, name.size())) {
                rest = std::string_view(copy).substr(at);
                break;
            }
        }
    }
    return NthToken(NthToken(rest, "&", 1), "=", 2);
}

std::vector<std::string> SplitWindowsCommandLine(std::string_view commandLine) {
    std::vector<std::string> arguments;
    std::size_t i = 0;
    const auto separator = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    while (i < commandLine.size()) {
        while (i < commandLine.size() && separator(commandLine[i])) {
            ++i;
        }
        if (i == commandLine.size()) {
            break;
        }
        std::string argument;
        bool quoted = false;
        for (; i < commandLine.size(); ++i) {
            const char c = commandLine[i];
            if (c == '"') {
                quoted = !quoted;
            } else if (!quoted && separator(c)) {
                break;
            } else {
                argument += c;
            }
        }
        if (!argument.empty()) {
            arguments.push_back(std::move(argument));
        }
    }
    return arguments;
}

std::vector<std::string> LauncherArguments(const std::string& rawCommandLine,
                                           const std::vector<std::string>& argv,
                                           const std::string& ownProgramPath) {
    std::vector<std::string> arguments =
        rawCommandLine.empty() ? argv : SplitWindowsCommandLine(rawCommandLine);
    if (arguments.empty()) {
        arguments.push_back(ownProgramPath);
    } else {
        arguments.front() = ownProgramPath;
    }
    return arguments;
}

}  // namespace zunta::launcher
