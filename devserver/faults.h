// Faults that tests arm through the control endpoint: the next requests to one path are
// answered badly on purpose.
#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace zunta::devserver {

enum class FaultMode {
    Delay,   // wait before anything is sent, then answer as usual
    Stall,   // send the head and half of the body, then send nothing more
    Close,   // close the connection without any reply
    Status,  // answer with a status of its own (3xx with a Location header)
    Empty,   // answer 200 with an empty body
    Cut,     // announce the whole body's length, send half of it and close
};

struct Fault {
    FaultMode mode = FaultMode::Status;
    int delayMs = 0;       // Delay
    int status = 0;        // Status
    std::string location;  // Status 3xx; empty: the request's own target
    int count = 1;         // how many of the next requests it hits
};

struct ArmedFault {
    std::string path;  // request path without the query, e.g. "/admin/api_getdata.php"
    Fault fault;
};

// Limits on what the control accepts.
inline constexpr int kMaxFaultDelayMs = 120000;
inline constexpr int kMaxFaultCount = 10000;

struct ParsedFault {
    std::optional<ArmedFault> armed;
    std::string error;  // Korean, when `armed` is empty
};

// Reads a control body "path=/x&mode=status&status=302&count=1" (form encoding; further keys:
// ms for delay, location for a 3xx status).
ParsedFault ParseFaultControl(std::string_view body);

// The armed faults, one per path; safe for the server's threads.
class FaultBoard {
  public:
    // Replaces a fault armed before for the same path.
    void Arm(ArmedFault armed);
    void Reset();
    // The fault for a request to `path`, counted as used; nothing when none is armed.
    std::optional<Fault> Take(const std::string& path);

  private:
    std::mutex mutex_;
    std::map<std::string, Fault> faults_;
};

}  // namespace zunta::devserver
