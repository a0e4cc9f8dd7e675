#pragma once
#include <cstdint>

// The key codes the input object reports: printable keys under their unshifted US character
// (letters in lower case), special keys from 128, mouse buttons from 256, joystick from 260.
namespace KeyCode {
inline constexpr std::uint16_t Count = 270;

inline constexpr std::uint16_t Backspace = 8;
inline constexpr std::uint16_t Tab = 9;
inline constexpr std::uint16_t Return = 13;
inline constexpr std::uint16_t Escape = 27;
inline constexpr std::uint16_t Space = 32;

inline constexpr std::uint16_t LeftShift = 128;
inline constexpr std::uint16_t RightShift = 129;
inline constexpr std::uint16_t LeftControl = 130;
inline constexpr std::uint16_t RightControl = 131;
inline constexpr std::uint16_t LeftAlt = 132;
inline constexpr std::uint16_t RightAlt = 133;
inline constexpr std::uint16_t Left = 134;
inline constexpr std::uint16_t Right = 135;
inline constexpr std::uint16_t Up = 136;
inline constexpr std::uint16_t Down = 137;
inline constexpr std::uint16_t F1 = 138; // F1 to F10 are 138 to 147
inline constexpr std::uint16_t F11 = 148;
inline constexpr std::uint16_t F12 = 149;
inline constexpr std::uint16_t Insert = 150;
inline constexpr std::uint16_t Delete = 151;
inline constexpr std::uint16_t Home = 152;
inline constexpr std::uint16_t End = 153;
inline constexpr std::uint16_t PageUp = 154;
inline constexpr std::uint16_t PageDown = 155;
inline constexpr std::uint16_t KeypadSlash = 156;
inline constexpr std::uint16_t KeypadStar = 157;
inline constexpr std::uint16_t KeypadMinus = 158;
inline constexpr std::uint16_t KeypadPlus = 159;
inline constexpr std::uint16_t KeypadEnter = 160;
inline constexpr std::uint16_t KeypadPeriod = 161;
inline constexpr std::uint16_t Keypad0 = 162;
inline constexpr std::uint16_t Keypad1 = 163; // keypad 1 to 9 are 163 to 171
inline constexpr std::uint16_t NumLock = 172;
inline constexpr std::uint16_t CapsLock = 173;
inline constexpr std::uint16_t ScrollLock = 174;
inline constexpr std::uint16_t PrintScreen = 175;

inline constexpr std::uint16_t MouseLeft = 256;
inline constexpr std::uint16_t MouseRight = 257;
inline constexpr std::uint16_t MouseMiddle = 258;
inline constexpr std::uint16_t JoystickButton0 = 260; // buttons 0 to 9 are 260 to 269
} // namespace KeyCode

// DirectInput keyboard scan codes (PC set 1, extended keys at 128 plus their code) that the
// program itself names.
namespace ScanCode {
inline constexpr std::uint8_t Escape = 1;
inline constexpr std::uint8_t Backspace = 14;
inline constexpr std::uint8_t Tab = 15;
inline constexpr std::uint8_t Return = 28;
inline constexpr std::uint8_t KeypadEnter = 156;
} // namespace ScanCode
