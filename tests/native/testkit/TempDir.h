#pragma once

#include <afx/CString.h>

#include <string>
#include <vector>

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// A fresh directory per test case, removed with what it holds afterwards. Memory-backed where
// the machine has one: some tests save thousands of files.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string Path(const std::string& name) const;
    // Test paths are ASCII.
    CString WidePath(const std::string& name) const;
    bool Exists(const std::string& name) const;
    std::vector<std::string> Names() const;

private:
    std::string m_dir;
};

// Throws std::runtime_error when the file cannot be written.
void WriteBytes(const std::string& path, const std::string& bytes);
// Empty when the file cannot be read.
std::string ReadBytes(const std::string& path);
// False when it could not.
bool MakeDir(const std::string& path);
bool RemoveFile(const std::string& path);
