#include "TempDir.h"

#include <dirent.h>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

TempDir::TempDir()
{
    struct stat st;
    std::string templ = stat("/dev/shm", &st) == 0 && S_ISDIR(st.st_mode) && access("/dev/shm", W_OK) == 0
                            ? "/dev/shm/vrkobs_test_XXXXXX"
                            : "/tmp/vrkobs_test_XXXXXX";
    if (!mkdtemp(&templ[0]))
        throw std::runtime_error("mkdtemp failed");
    m_dir = templ;
}

TempDir::~TempDir()
{
    for (const std::string& name : Names()) {
        std::string path = Path(name);
        struct stat st;
        if (stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
            // Tests make folders read-only to force failed saves.
            chmod(path.c_str(), 0755);
            rmdir(path.c_str());
        } else {
            unlink(path.c_str());
        }
    }
    rmdir(m_dir.c_str());
}

CString TempDir::WidePath(const std::string& name) const
{
    std::string path = Path(name);
    return CString(std::wstring(path.begin(), path.end()));
}

bool TempDir::Exists(const std::string& name) const
{
    struct stat st;
    return stat(Path(name).c_str(), &st) == 0;
}

std::vector<std::string> TempDir::Names() const
{
    std::vector<std::string> names;
    if (DIR* d = opendir(m_dir.c_str())) {
        while (dirent* e = readdir(d)) {
            std::string name = e->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        closedir(d);
    }
    return names;
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
