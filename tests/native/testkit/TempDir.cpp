#include "TempDir.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#ifdef _WIN32
#  include <windows.h>
#else
#  include <dirent.h>
#  include <stdlib.h>
#  include <sys/stat.h>
#  include <unistd.h>
#endif

#ifdef _WIN32

namespace {

std::wstring Wide(const std::string& path)
{
    return std::wstring(path.begin(), path.end());
}

// Tests mark files read-only to force failed saves; the attribute goes first.
void RemoveTree(const std::wstring& path)
{
    WIN32_FIND_DATAW found;
    HANDLE hFind = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            std::wstring child = path + L"\\" + name;
            SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileW(child.c_str());
        } while (FindNextFileW(hFind, &found));
        FindClose(hFind);
    }
    RemoveDirectoryW(path.c_str());
}

}  // namespace

TempDir::TempDir()
{
    char base[MAX_PATH + 1];
    DWORD nBase = GetTempPathA(MAX_PATH + 1, base);
    if (nBase == 0 || nBase > MAX_PATH)
        throw std::runtime_error("GetTempPath failed");
    for (unsigned n = 0; n < 1000; ++n) {
        std::string dir = std::string(base) + "vrkobs_test_" + std::to_string(GetCurrentProcessId()) + "_"
            + std::to_string(GetTickCount() + n);
        if (CreateDirectoryA(dir.c_str(), nullptr)) {
            m_dir = dir;
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
    throw std::runtime_error("cannot make a temporary folder");
}

TempDir::~TempDir()
{
    RemoveTree(Wide(m_dir));
}

bool TempDir::Exists(const std::string& name) const
{
    return GetFileAttributesW(Wide(Path(name)).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> TempDir::Names() const
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE hFind = FindFirstFileA((m_dir + "\\*").c_str(), &found);
    if (hFind == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(hFind, &found));
    FindClose(hFind);
    return names;
}

bool MakeDir(const std::string& path)
{
    return CreateDirectoryA(path.c_str(), nullptr) != 0;
}

bool RemoveFile(const std::string& path)
{
    return DeleteFileA(path.c_str()) != 0;
}

#else

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

bool MakeDir(const std::string& path)
{
    return mkdir(path.c_str(), 0755) == 0;
}

bool RemoveFile(const std::string& path)
{
    return unlink(path.c_str()) == 0;
}

#endif

std::string TempDir::Path(const std::string& name) const
{
    return m_dir + kPathSeparator + name;
}

CString TempDir::WidePath(const std::string& name) const
{
    std::string path = Path(name);
    return CString(std::wstring(path.begin(), path.end()));
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
