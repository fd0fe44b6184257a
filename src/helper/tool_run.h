#pragma once

#include "buildengine/build_signal.h"
#include "helper/output_relay.h"

#include <chrono>
#include <string>
#include <vector>

namespace tbhelper {

struct ToolResult {
    enum class Kind { Exited, Signalled, Cancelled, StartFailed };
    Kind kind = Kind::StartFailed;
    int value = 0; // exit code, signal number or errno

    bool succeeded() const { return kind == Kind::Exited && value == 0; }
};

// How long a tool asked to stop with SIGTERM may take before it is killed.
inline constexpr std::chrono::milliseconds kToolStopGrace{2000};

// Runs one tool in workingFolder (the helper's own folder when empty) with standard input from
// /dev/null and its output passed through relay. The tool gets a session of its own: no
// controlling terminal, so a tool that would ask for a pass phrase on the terminal fails at once
// instead of waiting, and a process group that is ended as a whole on cancel. It dies with the
// helper should the helper be killed.
ToolResult RunTool(const std::string& path, const std::vector<std::string>& arguments,
                   const std::string& workingFolder, const tb::BuildSignal& cancel,
                   OutputRelay& relay);

// <epocRoot>/epoc32/tools/<name> when it is there, else the first match on PATH; empty when
// neither has it.
std::string FindTool(const std::string& epocRoot, const std::string& name);

} // namespace tbhelper
