#pragma once

#include "buildengine/build_configuration.h"
#include "buildengine/build_events.h"
#include "buildengine/build_output_log.h"
#include "model/package.h"

#include <memory>
#include <string>

namespace tb {

class BuildOutputParser;
class BuildRun;

// Name of the build helper program in the installation folder.
inline constexpr const char* kBuildHelperName = "TBBuildHelper";

// Starts and cancels builds, one at a time, and owns what outlives a single build: the
// listeners, the log, and the parser and run of the last build. Used from the front end's
// thread only; the front end takes the posted events and calls DeliverBuildEvent(event,
// listeners()) on that thread.
class BuildController {
public:
    // installFolder holds TBBuildHelper.
    BuildController(BuildEventPoster& poster, std::string installFolder);
    // Cancels a build still running.
    ~BuildController();
    BuildController(const BuildController&) = delete;
    BuildController& operator=(const BuildController&) = delete;

    // Listeners are not owned and hear the events in the order they were added; they may come
    // and go while an event is delivered (see ListenerList).
    void addListener(BuildListener* listener) { listeners_.add(listener); }
    void removeListener(BuildListener* listener) { listeners_.remove(listener); }
    ListenerList<BuildListener>& listeners() { return listeners_; }

    BuildOutputLog& log() { return log_; }
    const BuildOutputLog& log() const { return log_; }

    void setInstallFolder(std::string folder) { installFolder_ = std::move(folder); }
    const std::string& installFolder() const { return installFolder_; }
    std::string helperPath() const;

    // Ends the previous run, empties the log and starts a new run on a worker thread; returns
    // at once. packageFilePath is a host path; package and configuration must stay unchanged
    // and alive until the build has ended or been cancelled.
    void startBuild(const std::string& packageFilePath, const Package& package,
                    const BuildConfiguration& configuration);
    // Asks a running build to stop and waits until its worker has ended (the helper is killed
    // if it has not ended within kHelperStopTimeout); no run remains. The Cancelled event is
    // delivered after this returns.
    void cancelBuild();
    // Waits until the current run's worker has ended, without stopping it.
    void waitForBuild();
    // A run has been started and its worker has not ended yet.
    bool building() const;

private:
    BuildEventPoster& poster_;
    std::string installFolder_;
    ListenerList<BuildListener> listeners_;
    BuildOutputLog log_;
    // The run refers to the parser, so it is declared after it and goes first.
    std::unique_ptr<BuildOutputParser> parser_;
    std::unique_ptr<BuildRun> run_;
};

} // namespace tb
