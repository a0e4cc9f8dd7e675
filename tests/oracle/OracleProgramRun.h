#pragma once
// Runs minnespiegel-oracle as a user or a script would, with its input and output as files.
#include "TempFolder.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the program in `folder` with `input` on standard input.
inline RunResult runOracleProgram(const std::filesystem::path& folder, const std::string& arguments,
                                  const std::string& input)
{
    std::ofstream(folder / "input", std::ios::binary) << input;
    const std::string command = "cd '" + folder.string() + "' && '" MINNE_ORACLE_PROGRAM "' " + arguments +
                                " < input > out 2> err";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, CTempFolder::read(folder / "out"),
            CTempFolder::read(folder / "err")};
}

// The answers of --raw mode, each ended by a NUL.
inline std::vector<std::string> splitAtNul(const std::string& bytes)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end = bytes.find('\0'); end != std::string::npos; end = bytes.find('\0', start)) {
        parts.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    EXPECT_EQ(start, bytes.size()) << "output does not end with a NUL";
    return parts;
}
