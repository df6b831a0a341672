#include "CityDbFuzzEntry.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

// Feeds every file of the given folders (or the given files) to the fuzz entry point; a crash
// fails the test. Prints how many inputs ran.
int main(int argc, char** argv)
{
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    for (int i = 1; i < argc; ++i) {
        if (!std::filesystem::is_directory(argv[i], ec))
            files.emplace_back(argv[i]);
        for (const auto& entry : std::filesystem::directory_iterator(argv[i], ec))
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    if (files.empty()) {
        std::fprintf(stderr, "no corpus files\n");
        return 1;
    }
    for (const auto& path : files) {
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "cannot read %s\n", path.string().c_str());
            return 1;
        }
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        CityDbFuzzOne(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    std::printf("%zu corpus inputs ran\n", files.size());
    return 0;
}
