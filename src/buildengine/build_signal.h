#pragma once

#include "buildengine/private_folder.h"

#include <string>
#include <string_view>

namespace tb {

// The program hands the folder of a run's events to the helper in this variable.
inline constexpr const char* kBuildEventsVariable = "TB_BUILD_EVENTS";

inline constexpr std::string_view kCancelBuildEvent = "TBCancelBuildEvent";
inline constexpr std::string_view kBuildCompletedEvent = "TBBuildCompletedEvent";
inline constexpr std::string_view kSigningCompletedEvent = "TBSigningCompletedEvent";

// One named event shared by the program and the helper: a file in the run's event folder.
// Manual-reset and initially not signalled; it is signalled once the file exists. An empty
// signal (no folder) is never signalled and signal() does nothing.
class BuildSignal {
public:
    BuildSignal() = default;
    BuildSignal(const std::string& folder, std::string_view name);

    // The event named name in the folder given by kBuildEventsVariable; empty without it.
    static BuildSignal fromEnvironment(std::string_view name);

    bool valid() const { return !path_.empty(); }
    bool signal() const;
    bool isSignalled() const;
    // Makes the signal empty; the file (if any) stays until the folder goes.
    void forget() { path_.clear(); }

private:
    std::string path_;
};

// The three events of one build run in a private folder that goes with the object, so nothing
// is left behind after the run.
class BuildSignalSet {
public:
    // Makes the folder under base; the events stay empty when it cannot be made.
    explicit BuildSignalSet(const std::string& base);

    // Empty when the folder could not be made.
    const std::string& folder() const { return folder_.path(); }
    BuildSignal& cancel() { return cancel_; }
    BuildSignal& buildCompleted() { return buildCompleted_; }
    BuildSignal& signingCompleted() { return signingCompleted_; }

private:
    PrivateFolder folder_;
    BuildSignal cancel_;
    BuildSignal buildCompleted_;
    BuildSignal signingCompleted_;
};

} // namespace tb
