#pragma once
// A folder of its own for one test, removed with everything in it when the test is done. The
// name is random, since tests run side by side and not every system's C library has getpid().
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

class CTempFolder {
public:
    explicit CTempFolder(std::string_view name = "test")
    {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() /
                ("minne-" + std::string(name) + "-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~CTempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& name) const { return path_ / name; }

    // Writes a file in the folder, making the folders on its way, and gives its path.
    std::filesystem::path write(const std::filesystem::path& name, std::string_view bytes) const
    {
        writeFile(path_ / name, bytes);
        return path_ / name;
    }
    static void writeFile(const std::filesystem::path& file, std::string_view bytes)
    {
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    // The whole of a file, or nothing when it cannot be read.
    static std::string read(const std::filesystem::path& file)
    {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    // The lines of a file that are not empty, without their line ends (LF or CR LF).
    static std::vector<std::string> lines(const std::filesystem::path& file)
    {
        std::istringstream text(read(file));
        std::vector<std::string> found;
        for (std::string line; std::getline(text, line);) {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            if (!line.empty()) {
                found.push_back(line);
            }
        }
        return found;
    }

private:
    std::filesystem::path path_;
};
