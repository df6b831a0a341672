#include "TempDir.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

fs::path BaseDir()
{
#ifndef _WIN32
    std::error_code ec;
    if ((fs::status("/dev/shm", ec).permissions() & fs::perms::others_write) != fs::perms::none) return "/dev/shm";
#endif
    return fs::temp_directory_path();
}

}  // namespace

TempDir::TempDir()
{
    fs::path base = BaseDir();
    std::mt19937_64 rng(std::random_device{}() ^ std::chrono::steady_clock::now().time_since_epoch().count());
    for (int n = 0; n < 100; ++n) {
        m_dir = (base / ("vrkobs_test_" + std::to_string(rng() % 1000000000000ULL))).string();
        if (MakeDir(m_dir)) return;
    }
    throw std::runtime_error("cannot make a temporary folder in " + base.string());
}

TempDir::~TempDir()
{
    std::error_code ec;
    // Tests make folders read-only to force failed saves.
    for (auto it = fs::recursive_directory_iterator(m_dir, ec); !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_directory(ec))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::remove_all(m_dir, ec);
}

std::string TempDir::Path(const std::string& name) const
{
    return m_dir + kPathSeparator + name;
}

CString TempDir::WidePath(const std::string& name) const
{
    const std::string path = Path(name);
    return CString(std::wstring(path.begin(), path.end()));
}

bool TempDir::Exists(const std::string& name) const
{
    std::error_code ec;
    return fs::exists(Path(name), ec);
}

std::vector<std::string> TempDir::Names() const
{
    std::vector<std::string> names;
    std::error_code ec;
    for (auto it = fs::directory_iterator(m_dir, ec); !ec && it != fs::directory_iterator(); it.increment(ec))
        names.push_back(it->path().filename().string());
    return names;
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())))
        throw std::runtime_error("cannot write " + path);
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool MakeDir(const std::string& path)
{
    std::error_code ec;
    return fs::create_directory(path, ec);
}

bool RemoveFile(const std::string& path)
{
    std::error_code ec;
    return fs::remove(path, ec);
}
