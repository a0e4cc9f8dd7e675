#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

enum class EOracleMode { Interactive, Raw, Check, Help, Version };

struct SOracleOptions {
    EOracleMode mode = EOracleMode::Interactive;
    std::optional<std::uint32_t> seed;
    std::filesystem::path dataFolder;  // empty: the working directory
};

// Nothing when the arguments (without the program name) are not understood.
std::optional<SOracleOptions> parseOracleOptions(const std::vector<std::string>& arguments);

// The help text (UTF-8).
std::string oracleUsage();
