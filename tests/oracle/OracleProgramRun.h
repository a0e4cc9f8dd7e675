#pragma once
// Runs minnespiegel-oracle as a user or a script would, with its input and output as files.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// Runs the program in `folder` with `input` on standard input.
inline RunResult runOracleProgram(const std::filesystem::path& folder, const std::string& arguments,
                                  const std::string& input)
{
    writeFile(folder / "input", input);
    const std::string command = "cd '" + folder.string() + "' && '" MINNE_ORACLE_PROGRAM "' " + arguments +
                                " < input > out 2> err";
    const int status = std::system(command.c_str());
    RunResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = readFile(folder / "out");
    result.err = readFile(folder / "err");
    return result;
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
