// GetParamValue over arbitrary launch parameter lists, and the Windows command-line split.
#include "launcher/core/launch_params.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using zunta::fuzz::Check;
    const auto parts = zunta::fuzz::SplitInput(data, size, 2);
    const std::string& commandLine = parts[0];

    const auto arguments = zunta::launcher::SplitWindowsCommandLine(commandLine);
    std::size_t total = 0;
    for (const auto& a : arguments) {
        Check(!a.empty(), "an empty argument");
        Check(a.find('"') == std::string::npos, "a quote survived the split");
        total += a.size();
    }
    Check(total <= commandLine.size(), "arguments longer than the command line");

    const std::string list = zunta::launcher::JoinArguments(arguments, 0, arguments.size());
    for (const std::string& name : {std::string("UID"), std::string("CHK"), std::string("IDKEY"),
                                    std::string("SNO"), parts[1]}) {
        const std::string value = zunta::launcher::GetParamValue(list, name);
        Check(value.find('&') == std::string::npos, "a value holds an &");
        Check(value.find('=') == std::string::npos, "a value holds an =");
        Check(value.size() <= list.size(), "a value longer than the list");
        const std::string raw = zunta::launcher::GetParamValue(commandLine, name);
        Check(raw.find('&') == std::string::npos, "a value of the raw text holds an &");
    }
    return 0;
}
