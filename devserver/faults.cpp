#include "devserver/faults.h"

#include <charconv>
#include <utility>

#include "devserver/query.h"

namespace zunta::devserver {
namespace {

// A whole decimal number within [low, high], or nothing.
std::optional<int> Number(std::string_view text, int low, int high) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

ParsedFault Refuse(std::string message) {
    return {std::nullopt, std::move(message)};
}

}  // namespace

ParsedFault ParseFaultControl(std::string_view body) {
    const std::vector<QueryPair> pairs = SplitQuery(body);
    const auto value = [&](std::string_view name) {
        return PercentDecode(QueryValue(pairs, name));
    };
    ArmedFault armed;
    armed.path = value("path");
    if (armed.path.empty() || armed.path[0] != '/') {
        return Refuse("path가 없거나 \"/\"로 시작하지 않습니다 (예: path=/admin/api_getdata.php)");
    }
    if (armed.path.rfind("/_control/", 0) == 0) {
        return Refuse("제어 경로 /_control/ 에는 장애를 걸 수 없습니다");
    }
    const std::string count = value("count");
    if (!count.empty()) {
        const std::optional<int> n = Number(count, 1, kMaxFaultCount);
        if (!n) {
            return Refuse("count는 1부터 " + std::to_string(kMaxFaultCount) +
                          "까지의 정수여야 합니다: " + count);
        }
        armed.fault.count = *n;
    }
    const std::string mode = value("mode");
    if (mode == "delay") {
        const std::optional<int> ms = Number(value("ms"), 0, kMaxFaultDelayMs);
        if (!ms) {
            return Refuse("delay에는 ms=0부터 " + std::to_string(kMaxFaultDelayMs) +
                          "까지의 밀리초가 필요합니다");
        }
        armed.fault.mode = FaultMode::Delay;
        armed.fault.delayMs = *ms;
    } else if (mode == "status") {
        const std::optional<int> status = Number(value("status"), 300, 599);
        if (!status) {
            return Refuse(
                "status에는 status=300부터 599까지의 상태 코드가 필요합니다 (예: 302, 404, 500)");
        }
        armed.fault.mode = FaultMode::Status;
        armed.fault.status = *status;
        armed.fault.location = value("location");
    } else if (mode == "stall") {
        armed.fault.mode = FaultMode::Stall;
    } else if (mode == "close") {
        armed.fault.mode = FaultMode::Close;
    } else if (mode == "empty") {
        armed.fault.mode = FaultMode::Empty;
    } else if (mode == "cut") {
        armed.fault.mode = FaultMode::Cut;
    } else {
        return Refuse("알 수 없는 mode입니다: \"" + mode +
                      "\" (delay, stall, close, status, empty, cut 중 하나)");
    }
    return {std::move(armed), {}};
}

void FaultBoard::Arm(ArmedFault armed) {
    std::lock_guard lock(mutex_);
    faults_[std::move(armed.path)] = std::move(armed.fault);
}

void FaultBoard::Reset() {
    std::lock_guard lock(mutex_);
    faults_.clear();
}

std::optional<Fault> FaultBoard::Take(const std::string& path) {
    std::lock_guard lock(mutex_);
    const auto it = faults_.find(path);
    if (it == faults_.end()) {
        return std::nullopt;
    }
    Fault fault = it->second;
    if (--it->second.count <= 0) {
        faults_.erase(it);
    }
    return fault;
}

}  // namespace zunta::devserver
