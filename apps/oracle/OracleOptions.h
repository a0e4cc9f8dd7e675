#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

enum class OracleMode { Interactive, Raw, Check, Help, Version };

struct OracleOptions {
    OracleMode mode = OracleMode::Interactive;
    std::optional<std::uint32_t> seed;
    std::filesystem::path dataFolder;  // empty: the working directory
};

// Nothing when the arguments (without the program name) are not understood.
std::optional<OracleOptions> parseOracleOptions(const std::vector<std::string>& arguments);

// The help text (UTF-8).
std::string oracleUsage();
