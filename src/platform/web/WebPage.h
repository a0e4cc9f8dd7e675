#pragma once
#include <cstdint>

// The page around the program: functions of the page's script (minnespiegel-page.js), called
// with UTF-8 texts. They exist only in the browser build.
extern "C" {
// Starts listening to the page's events, which go to `platform` (a CWebShellPlatform).
void minne_page_attach(void* platform);
void minne_page_detach();
// Shows rows of red, green, blue, alpha bytes; only the rectangle given changed.
void minne_page_present(const std::uint8_t* rgba, int width, int height, int left, int top, int right, int bottom);
void minne_page_show_box(const char* title, const char* text, int icon);
int minne_page_open_tab(const char* address);
void minne_page_toggle_fullscreen();
// The stored text under `key` in memory from malloc, or null when there is none.
char* minne_page_storage_read(const char* key);
int minne_page_storage_write(const char* key, const char* value);
// Whether the page can make sound at all; the sound itself starts with the first gesture.
int minne_page_audio_open();
// Calls minne_web_audio_decode(audio) between frames until it returns 0; null stops that.
void minne_page_audio_decode_later(void* audio);
// The decoded song `song`, copied; it sounds once it is played and the page may make sound.
void minne_page_audio_song(int song, const float* left, const float* right, int frames, int rate);
int minne_page_audio_play(int song);
void minne_page_audio_stop_all();
void minne_page_audio_close(int song);
void minne_page_audio_set_beep(const std::uint8_t* wave, int size);
void minne_page_audio_beep();
// The page after the program ended: "Der Spiegel ruht." and a button to start again.
void minne_page_quiet();
}
