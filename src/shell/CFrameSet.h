#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CLogs;
class CScreen;
class CSurface;

// A row of pictures that belong together (an animation, the states of the menu), read from
// files named by a base name and "_%i.bmp", drawn one at a time at the set's position.
class CFrameSet {
public:
    // `stepCounter` is shared by all frame sets that `advance`; `progressStep` runs after each
    // loaded frame while the progress mark is set.
    CFrameSet(std::int32_t& stepCounter, std::function<void()> progressStep = {});
    ~CFrameSet();
    CFrameSet(const CFrameSet&) = delete;
    CFrameSet& operator=(const CFrameSet&) = delete;

    // Loads frames 0 to count - 1. A frame that fails is written to "log.txt" by its base name
    // and kept empty. Always 1.
    std::int32_t loadFrames(CScreen& screen, const std::string& baseName, std::int32_t count,
                            std::uint32_t flags, CLogs& logs);

    void setPosition(std::int32_t x, std::int32_t y);
    void setProgressMark(bool mark) { progressMark_ = mark; }
    std::int32_t frameCount() const { return count_; }
    // Ignored unless 0 <= index < frame count.
    void setFrame(std::int32_t index);
    std::int32_t currentFrame() const { return current_; }
    std::int32_t x() const { return x_; }
    std::int32_t y() const { return y_; }

    // Draw the current frame at the set's position; nothing (and -1) when it has no such frame.
    std::int32_t drawFrame(CSurface& destination);
    std::int32_t drawFrameKeyed(CSurface& destination);
    // Every frame takes its colour key from its top-left pixel.
    void keyAllFrames();
    // Moves the shared counter on by one, wrapping at this set's frame count, and shows it.
    void advance();
    // Destroys the frames, last first; the count stays.
    void clearFrames();

    // The frame surface at `index`, or nullptr.
    CSurface* frame(std::int32_t index);

private:
    std::int32_t x_ = 0;
    std::int32_t y_ = 0;
    std::int32_t current_ = 0;
    std::int32_t count_ = 0;
    bool progressMark_ = false;
    std::vector<std::unique_ptr<CSurface>> frames_;
    std::int32_t& stepCounter_;
    std::function<void()> progressStep_;
};

// The program's file names keep the system's backslash; the file system is asked with "/",
// which every system accepts.
std::string platformPath(std::string name);
