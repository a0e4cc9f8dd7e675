#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Encodes stereo float samples (-1..1) as a complete Ogg Vorbis file in memory. `quality` is
// the encoder's variable-bit-rate quality (-0.1..1). The stream serial number is fixed, so the
// same samples always give the same bytes.
std::vector<std::uint8_t> encodeOggVorbis(const std::vector<float>& left,
                                          const std::vector<float>& right, int sampleRate,
                                          float quality,
                                          const std::vector<std::pair<std::string, std::string>>& tags);
