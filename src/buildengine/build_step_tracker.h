#pragma once

#include "buildengine/build_configuration.h"
#include "buildengine/build_output_log.h"
#include "model/package.h"
#include "util/listener_list.h"

#include <optional>
#include <string_view>

namespace tb {

// Told about each installation item the build tools reach, on the build thread.
class ItemReceiver {
public:
    virtual ~ItemReceiver() = default;
    virtual void itemReached(const InstallItem* item) = 0;
};

// A stored source path as the build sees it: expanded for the current SDK, platform and target
// with host separators, relative paths against baseFolder (which ends with '/'). Without an SDK,
// or for an empty text, the stored text itself.
WideText ExpandBuildPath(std::u16string_view stored, std::u16string_view baseFolder,
                         const BuildConfiguration& configuration);

// baseFolder with a final '/' (empty stays empty).
WideText WithFinalSlash(WideText baseFolder);

// The last "<pkg>(<n>) : processing <what>" line makesis printed: the line number, makesis's
// own name for what it read ("header", "file", ...) and the item it stands for, if any.
struct MakesisStep {
    long line = -1;
    WideText what;
    const InstallItem* item = nullptr;
};

// The line number and the message of a makesis line "<pkg>(<n>) : <message>"; none for
// other lines.
struct MakesisLine {
    long line;
    std::u16string_view message;
};
std::optional<MakesisLine> ParseMakesisLine(std::u16string_view line);

// Follows makesis through the installation sequence. Each recognised line moves a cursor the
// way makesis walks the package file written for the build, writes a progress line, or, for an
// error line, explains what went wrong with the item makesis last finished.
class BuildStepTracker {
public:
    BuildStepTracker(BuildOutputLog& log, const BuildConfiguration& configuration,
                     const Package& package, WideText baseFolder);
    BuildStepTracker(const BuildStepTracker&) = delete;
    BuildStepTracker& operator=(const BuildStepTracker&) = delete;

    // True when the line was recognised.
    bool handleLine(std::u16string_view line);

    // Receivers are not owned and are called in the order they were added.
    void addItemReceiver(ItemReceiver* receiver) { receivers_.add(receiver); }
    void removeItemReceiver(ItemReceiver* receiver) { receivers_.remove(receiver); }

    // The item makesis is expected to report next, and the one it last finished.
    const InstallItem* current() const { return current_; }
    const InstallItem* previous() const { return previous_; }
    const MakesisStep& lastStep() const { return lastStep_; }

    // How the build names an item to the user: its expanded source or path, or its name.
    WideText describe(const InstallItem* item) const;

private:
    void fileStep();
    void embeddedPackageStep();
    void languageStep();
    void optionsStep();
    void ifStep();
    void advance();
    void announce();

    void explainEmbedFailure();
    void explainFileAccess();
    void explainUidMismatch();
    void explainOutputWrite();
    void noteStep(std::u16string_view line);
    std::optional<WideText> embedFailureFor(const WideText& path) const;
    std::optional<WideText> languageSourcesMessage(const LocalizedText& sources,
                                                   std::u16string_view missingText) const;
    std::optional<WideText> fileCheck(std::u16string_view storedPath) const;
    WideText expand(std::u16string_view storedPath) const;

    BuildOutputLog& log_;
    const BuildConfiguration& configuration_;
    const Package& package_;
    WideText baseFolder_;
    const InstallItem* current_ = nullptr;
    const InstallItem* previous_ = nullptr;
    MakesisStep lastStep_;
    WideText failedEmbed_; // the embedded file makesis named when it could not load it
    // Walked on the build thread; receivers come and go only while no build runs.
    ListenerList<ItemReceiver> receivers_;
};

} // namespace tb
