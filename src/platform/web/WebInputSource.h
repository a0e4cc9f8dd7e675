#pragma once
#include "input/InputEvent.h"

#include <deque>
#include <string_view>

// The page's keyboard, pointer and focus events in the program's terms. The page hands each
// browser event over as it comes (keys by their `code` and `key` strings, positions in CSS
// pixels within the canvas as shown); CInput takes the result once per frame.
class CWebInputSource final : public IInputSource {
public:
    struct SKey {
        std::string_view code; // the physical key, e.g. "KeyA", "Enter"
        std::string_view key;  // what it types or names, UTF-8, e.g. "ä", "Enter"
        bool repeat = false;
        bool ctrl = false;
        bool alt = false;
        bool meta = false;
    };
    // The size the canvas is shown at, in CSS pixels.
    struct SShownSize {
        double width = 0;
        double height = 0;
    };

    // True when the program took the key and the browser must not act on it too.
    bool keyDown(const SKey& key);
    void keyUp(std::string_view code);
    // Text that came without a key the page could read (an on-screen keyboard), UTF-8.
    void text(std::string_view utf8);
    void pointerMoved(double x, double y, SShownSize shown);
    // `button` as the page numbers it: 0 left, 1 middle, 2 right.
    void pointerButton(bool down, int button, double x, double y, SShownSize shown);
    void pointerLeft();
    void pointerEntered(double x, double y, SShownSize shown);
    void focusChanged(bool focused);

    bool pollEvent(SInputEvent& event) override;
    SCursorPosition initialCursor() const override { return last_; }

private:
    void position(double x, double y, SShownSize shown);
    void push(EInputEventType type, std::uint8_t code = 0, std::uint8_t character = 0, std::int32_t x = 0,
              std::int32_t y = 0);

    std::deque<SInputEvent> events_;
    SCursorPosition last_{400, 300};
};

// The DirectInput scan code of the key the page names by its `code`; 0 for keys without one.
std::uint8_t domCodeToScanCode(std::string_view code);
