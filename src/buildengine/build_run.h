#pragma once

#include "buildengine/build_configuration.h"
#include "buildengine/build_events.h"
#include "buildengine/build_output_log.h"
#include "buildengine/build_output_parser.h"
#include "buildengine/build_step_tracker.h"
#include "model/package.h"

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace tb {

class BuildSignalSet;
class HelperProcess;
class PrivateFolder;

// How long a helper asked to stop may take before its process group is killed.
inline constexpr std::chrono::milliseconds kHelperStopTimeout{10000};

// One build: validation, the temporary package file, the build helper and the watch over it,
// on a worker thread of its own. Reports through posted BuildEvents and the log only.
class BuildRun : public ItemReceiver {
public:
    // Registers with the parser's step tracker as the receiver of item reports; the parser,
    // log, poster, package and configuration must outlive the run.
    BuildRun(BuildEventPoster& poster, BuildOutputLog& log, BuildOutputParser& parser,
             const BuildConfiguration& configuration, const Package& package,
             std::string packageFilePath, std::string helperPath);
    // Stops a build still running and waits for its worker.
    ~BuildRun() override;
    BuildRun(const BuildRun&) = delete;
    BuildRun& operator=(const BuildRun&) = delete;

    void start();
    // Asks the worker to cancel (it signals the helper's cancel event) and returns at once.
    void requestStop();
    // Waits without limit for the worker; the helper is stopped within kHelperStopTimeout of a
    // stop request.
    void join();
    bool finished() const { return finished_.load(); }

    void itemReached(const InstallItem* item) override;

    // The helper's arguments for a temporary package file: SDK root, package file, output
    // file, then -s, certificate, key and passphrase (left out when empty) when signing.
    std::vector<std::string> helperArguments(const std::string& temporaryPackageFile) const;
    // BuiltFilePath: an empty output folder is the package file's folder.
    WideText outputPath() const;

private:
    void run();
    bool writeTemporaryPackage(PrivateFolder& folder, std::string& file);
    void watch(HelperProcess& helper, BuildSignalSet& signals);
    void waitForActivity(HelperProcess& helper);
    void stopHelper(HelperProcess& helper);
    void handleOutput(std::u16string_view text);
    void post(BuildEventCode code, int32_t stage = 0);

    BuildEventPoster& poster_;
    BuildOutputLog& log_;
    BuildOutputParser& parser_;
    const BuildConfiguration& configuration_;
    const Package& package_;
    const std::string packageFilePath_;
    const std::string helperPath_;

    std::thread thread_;
    std::atomic<bool> stopRequested_{false};
    std::atomic<bool> finished_{false};
    int wakeFd_ = -1; // eventfd that ends the worker's wait on a stop request
};

} // namespace tb
