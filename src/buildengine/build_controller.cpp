#include "buildengine/build_controller.h"

#include "buildengine/build_output_parser.h"
#include "buildengine/build_run.h"

#include <filesystem>

namespace tb {

BuildController::BuildController(BuildEventPoster& poster, std::string installFolder)
    : poster_(poster), installFolder_(std::move(installFolder)) {}

BuildController::~BuildController() {
    cancelBuild();
    parser_.reset();
}

std::string BuildController::helperPath() const {
    std::string path = installFolder_;
    if (!path.empty() && path.back() != '/')
        path.push_back('/');
    return path + kBuildHelperName;
}

void BuildController::startBuild(const std::string& packageFilePath, const Package& package,
                                 const BuildConfiguration& configuration) {
    // The old run goes before the log is emptied, so none of its lines can follow the clear.
    run_.reset();
    log_.clear();
    // Relative sources resolve against the package's folder whatever the working folder is
    // when they are looked at.
    std::error_code ignored;
    std::string path = std::filesystem::absolute(packageFilePath, ignored).string();
    if (path.empty())
        path = packageFilePath;
    parser_ = std::make_unique<BuildOutputParser>(configuration, log_, path, package);
    run_ = std::make_unique<BuildRun>(poster_, log_, *parser_, configuration, package, path,
                                      helperPath());
    run_->start();
}

void BuildController::cancelBuild() {
    if (!run_)
        return;
    run_->requestStop();
    run_->join();
    run_.reset();
}

void BuildController::waitForBuild() {
    if (run_)
        run_->join();
}

bool BuildController::building() const {
    return run_ && !run_->finished();
}

} // namespace tb
