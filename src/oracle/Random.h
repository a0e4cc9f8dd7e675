#pragma once
#include <cstdint>

// The one random generator of the process. The answer engine seeds it with the calendar
// seconds when it is built and draws from it; the landscape choice re-seeds and draws too.
// Every draw depends on every earlier one, so all users must share this single state.

// Sets the state.
void seedRandom(std::uint32_t seed);

// Advances the state (state * 214013 + 2531011) and returns its bits 16..30: 0..32767.
int drawRandom();

// The current state, so that a caller can save it and put it back.
std::uint32_t randomState();

// The same step on a caller's own state, for code that must not touch the shared one.
int stepRandom(std::uint32_t& state);
