#include "buildengine/build_run.h"

#include "buildengine/build_signal.h"
#include "buildengine/build_validator.h"
#include "buildengine/helper_process.h"
#include "buildengine/output_decoder.h"
#include "buildengine/private_folder.h"
#include "model/package_writer.h"
#include "util/path.h"
#include "util/text_convert.h"

#include <cerrno>
#include <csignal>
#include <poll.h>
#include <sys/eventfd.h>
#include <system_error>
#include <unistd.h>

namespace tb {

namespace {

constexpr int kWatchMilliseconds = 100;

WideText fileNameOf(const std::string& hostPath) {
    const WideText path = fromHostPath(hostPath);
    return WideText(splitPath(path, kHostPathStyle).fileName);
}

WideText ascii(std::string_view text) {
    return WideText(text.begin(), text.end());
}

// Why the package writer failed, in words.
WideText writeFailureReason(ErrorCode code) {
    switch (code) {
    case err::kNotFound:
        return u"the folder does not exist";
    case err::kAccessDenied:
        return u"access denied";
    case err::kOutOfMemory:
        return u"out of memory";
    case kErrorQuoteInText:
        return u"a text of the package contains a double quote";
    default:
        return u"error " + ascii(std::to_string(code));
    }
}

} // namespace

BuildRun::BuildRun(BuildEventPoster& poster, BuildOutputLog& log, BuildOutputParser& parser,
                   const BuildConfiguration& configuration, const Package& package,
                   std::string packageFilePath, std::string helperPath)
    : poster_(poster), log_(log), parser_(parser), configuration_(configuration), package_(package),
      packageFilePath_(std::move(packageFilePath)), helperPath_(std::move(helperPath)),
      wakeFd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    parser_.stepTracker().addItemReceiver(this);
}

BuildRun::~BuildRun() {
    requestStop();
    join();
    parser_.stepTracker().removeItemReceiver(this);
    if (wakeFd_ >= 0)
        ::close(wakeFd_);
}

void BuildRun::start() {
    if (!thread_.joinable() && !finished_)
        thread_ = std::thread([this] {
            run();
            finished_ = true;
        });
}

void BuildRun::requestStop() {
    stopRequested_ = true;
    if (wakeFd_ >= 0) {
        const uint64_t one = 1;
        [[maybe_unused]] ssize_t ignored = ::write(wakeFd_, &one, sizeof one);
    }
}

void BuildRun::join() {
    if (thread_.joinable())
        thread_.join();
}

void BuildRun::itemReached(const InstallItem* item) {
    poster_.post({BuildEventCode::ItemReached, 0, item});
}

void BuildRun::post(BuildEventCode code, int32_t stage) {
    poster_.post({code, stage, nullptr});
}

WideText BuildRun::outputPath() const {
    return BuiltFilePath(package_, PackageBaseFolder(packageFilePath_));
}

std::vector<std::string> BuildRun::helperArguments(const std::string& temporaryPackageFile) const {
    const SdkInfo* sdk = configuration_.currentSdk();
    std::vector<std::string> arguments{sdk ? toHostPath(sdk->epocRoot) : std::string(),
                                       temporaryPackageFile, toHostPath(outputPath())};
    const SigningSettings& signing = package_.signing;
    if (signing.signPackage) {
        // Resolved like every other path of the package, so a certificate stored relative to
        // the package folder (or under the SDK) is found whatever the current folder is.
        const WideText baseFolder = PackageBaseFolder(packageFilePath_);
        arguments.push_back("-s");
        arguments.push_back(
            toHostPath(ExpandBuildPath(signing.certificate, baseFolder, configuration_)));
        arguments.push_back(
            toHostPath(ExpandBuildPath(signing.privateKey, baseFolder, configuration_)));
        if (!signing.passphrase.empty())
            arguments.push_back(wideToUtf8(signing.passphrase));
    }
    return arguments;
}

void BuildRun::run() {
    const WideText fileName = fileNameOf(packageFilePath_);
    const SdkInfo* sdk = configuration_.currentSdk();
    log_.appendLine(u"Starting Build: " + fileName + u", Configuration: " +
                    WideText(BuildPlatformText(configuration_.platform())) + u", " +
                    WideText(BuildTargetText(configuration_.target())) + u", SDK: " +
                    (sdk ? sdk->id : WideText()));
    log_.appendLine(u"");
    post(BuildEventCode::Started);
    post(BuildEventCode::OutputChanged);

    if (!BuildValidator(package_, log_, PackageBaseFolder(packageFilePath_)).validate()) {
        post(BuildEventCode::Failed);
        return;
    }
    post(BuildEventCode::OutputChanged);

    BuildSignalSet signals(TemporaryFolderBase());
    post(BuildEventCode::Stage, 1);

    PrivateFolder temporaryFolder;
    std::string temporaryFile;
    if (!writeTemporaryPackage(temporaryFolder, temporaryFile)) {
        log_.appendLine(u"\r\nBuild failed");
        post(BuildEventCode::Failed);
        return;
    }

    HelperProcess helper;
    std::vector<std::string> environment;
    if (!signals.folder().empty())
        environment.push_back(std::string(kBuildEventsVariable) + "=" + signals.folder());
    // For makesis's own expansion of the macros, should any be left in a path.
    if (const SdkInfo* sdk = configuration_.currentSdk())
        environment.push_back("EPOCROOT=" + toHostPath(WithFinalSlash(sdk->epocRoot)));
    environment.push_back("PLATFORM=" + wideToUtf8(BuildPlatformName(configuration_.platform())));
    environment.push_back("TARGET=" + wideToUtf8(BuildTargetName(configuration_.target())));
    if (helper.start(helperPath_, helperArguments(temporaryFile), environment) != err::kOk) {
        log_.appendLine(u"Error, could not find 'TBBuildHelper'; your installation seems "
                        u"corrupt, please reinstall Tinderbridge and try again");
        post(BuildEventCode::Failed);
        return;
    }
    log_.appendLine(u"Building package...");
    watch(helper, signals);
    // The temporary folder and the events go when this returns; the helper has ended by now.
}

bool BuildRun::writeTemporaryPackage(PrivateFolder& folder, std::string& file) {
    const std::string base = TemporaryFolderBase();
    const WideText fileName = fileNameOf(packageFilePath_);
    int error = 0;
    folder = PrivateFolder::create(base, "tb_build_", error);
    WideText reason;
    if (!folder.valid()) {
        reason = utf8ToWide(std::generic_category().message(error));
    } else {
        file = folder.path() + "/" + toHostPath(fileName);
        const WideText baseFolder = PackageBaseFolder(packageFilePath_);
        const ErrorCode written = WritePackage(package_, file, [&](const WideText& stored) {
            return ExpandBuildPath(stored, baseFolder, configuration_);
        });
        if (written == err::kOk)
            return true;
        reason = writeFailureReason(written);
    }
    // The helper would only fail on a file that is not there; say why here instead.
    log_.appendLine(u"Error, can not write the temporary package file '" + fileName + u"' to '" +
                    fromHostPath(folder.valid() ? folder.path() : base) + u"': " + reason);
    return false;
}

void BuildRun::handleOutput(std::u16string_view text) {
    if (text.empty())
        return;
    parser_.append(text);
    parser_.handleLines();
    post(BuildEventCode::OutputChanged);
}

// Returns when the helper writes, ends or a stop is requested, or after kWatchMilliseconds.
void BuildRun::waitForActivity(HelperProcess& helper) {
    pollfd fds[3] = {
        {helper.outputFd(), POLLIN, 0}, {helper.exitFd(), POLLIN, 0}, {wakeFd_, POLLIN, 0}};
    ::poll(fds, 3, kWatchMilliseconds);
}

// The helper has been asked to stop through the cancel event. Its output is still read (and
// dropped) so that a full pipe cannot keep it from ending.
void BuildRun::stopHelper(HelperProcess& helper) {
    const auto deadline = std::chrono::steady_clock::now() + kHelperStopTimeout;
    std::string discarded;
    while (!helper.hasEnded()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            helper.signalGroup(SIGKILL);
            helper.waitForExit();
            return;
        }
        pollfd fds[2] = {{helper.outputFd(), POLLIN, 0}, {helper.exitFd(), POLLIN, 0}};
        ::poll(fds, 2, kWatchMilliseconds);
        discarded.clear();
        helper.readAvailable(discarded);
    }
}

void BuildRun::watch(HelperProcess& helper, BuildSignalSet& signals) {
    OutputDecoder decoder;
    std::string bytes;
    BuildSignal& built = signals.buildCompleted();
    BuildSignal& signedPackage = signals.signingCompleted();
    for (;;) {
        if (stopRequested_) {
            signals.cancel().signal();
            post(BuildEventCode::Cancelled);
            stopHelper(helper);
            return;
        }
        if (built.isSignalled()) {
            post(BuildEventCode::Stage, 2);
            built.forget();
            continue;
        }
        if (signedPackage.isSignalled()) {
            post(BuildEventCode::Stage, 2);
            signedPackage.forget();
            continue;
        }
        if (!helper.hasEnded()) {
            waitForActivity(helper);
            bytes.clear();
            helper.readAvailable(bytes);
            handleOutput(decoder.decode(bytes));
            continue;
        }
        // Everything the helper wrote is in the pipe now; a last line without a line end is
        // ended here so that it is handled too.
        bytes.clear();
        helper.readAvailable(bytes);
        handleOutput(decoder.decode(bytes) + decoder.finish() + u"\r\n");
        const bool succeeded = helper.exitStatus().succeeded();
        parser_.finish(succeeded);
        if (succeeded) {
            log_.appendLine(u"\r\nPackage was successfully built to '" + outputPath() + u"'");
            if (!package_.signing.signPackage)
                log_.appendLine(u"Warning, the package is not signed; it must be signed by a "
                                u"developer certificate or by Symbian Signed before it can be "
                                u"installed to a phone");
            post(BuildEventCode::Succeeded);
        } else {
            // Also when it was killed or its status is lost: only 0 says the file is there.
            log_.appendLine(u"\r\nBuild failed");
            post(BuildEventCode::Failed);
        }
        return;
    }
}

} // namespace tb
