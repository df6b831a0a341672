#include <citydb/CSafeFile.h>

#include <citydb/Utf8Text.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <string>

#ifdef _WIN32
#  include <windows.h>
#else
#  include <cerrno>
#  include <fcntl.h>
#  include <sys/stat.h>
#  include <unistd.h>
#endif

namespace {

// A name beside the target that no other save of this process uses at the same time.
std::wstring TempPathFor(const std::wstring& target)
{
    static std::atomic<unsigned> s_nCounter{0};
    unsigned long long nTick = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
#ifdef _WIN32
    unsigned long long nProcess = GetCurrentProcessId();
#else
    unsigned long long nProcess = static_cast<unsigned long long>(getpid());
#endif
    return target + L"." + std::to_wstring(nProcess) + L"." + std::to_wstring(nTick % 1000000007ULL)
        + L"." + std::to_wstring(++s_nCounter) + L".tmp";
}

std::atomic<CSafeFile::StepHook> g_pStepHook{nullptr};

// False when the test seam fails the call about to be made.
bool Step(const char* pszCall)
{
    CSafeFile::StepHook pHook = g_pStepHook.load();
    return !pHook || pHook(pszCall);
}

}  // namespace

void CSafeFile::SetStepHook(StepHook pHook)
{
    g_pStepHook = pHook;
}

bool CSafeFile::Read(const CString& strPath, std::string& bytes)
{
    bytes.clear();
    LineReader file(1);  // its line buffer unused
    if (!file.Open(strPath))
        return false;
    bytes.resize(static_cast<size_t>(file.m_nSize));
    size_t nDone = 0;
    while (nDone < bytes.size()) {
        size_t nRead = 0;
        if (!file.ReadAt(static_cast<long long>(nDone), &bytes[nDone], bytes.size() - nDone, nRead)) {
            bytes.clear();
            return false;
        }
        if (nRead == 0)
            break;  // the file shrank while we read it
        nDone += nRead;
    }
    bytes.resize(nDone);
    return true;
}

bool CSafeFile::LineReader::ForEachLine(const OnLine& onLine)
{
    long long nOffset = 0;  // of the buffer's first byte
    size_t nHave = 0;
    for (;;) {
        const char* p = m_buffer.data();
        const char* const pHave = p + nHave;
        while (const char* pNewLine = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(pHave - p)))) {
            onLine(p, pNewLine, nOffset + (pNewLine + 1 - m_buffer.data()));
            p = pNewLine + 1;
        }
        if (nOffset + static_cast<long long>(nHave) >= m_nSize) {
            if (p < pHave)
                onLine(p, pHave, m_nSize);
            return true;
        }
        // The unfinished line moves to the front; one longer than the buffer makes it grow.
        const size_t nDone = static_cast<size_t>(p - m_buffer.data());
        std::memmove(m_buffer.data(), p, nHave - nDone);
        nOffset += static_cast<long long>(nDone);
        nHave -= nDone;
        if (nHave == m_buffer.size())
            m_buffer.resize(m_buffer.size() * 2);
        const size_t nWant = static_cast<size_t>(
            std::min<long long>(static_cast<long long>(m_buffer.size() - nHave), m_nSize - nOffset - static_cast<long long>(nHave)));
        size_t nRead = 0;
        if (!ReadAt(nOffset + static_cast<long long>(nHave), m_buffer.data() + nHave, nWant, nRead))
            return false;
        if (nRead == 0)
            m_nSize = nOffset + static_cast<long long>(nHave);  // the file shrank while we read it
        nHave += nRead;
    }
}

#ifdef _WIN32

namespace {

bool LastWrite(const CString& strPath, FILETIME& ft)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (strPath.IsEmpty() || !Step("stat")
        || !GetFileAttributesExW(strPath.GetString(), GetFileExInfoStandard, &data)
        || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    ft = data.ftLastWriteTime;
    return true;
}

}  // namespace

bool CSafeFile::IsWritable(const CString& strPath)
{
    if (strPath.IsEmpty() || !Step("stat"))
        return false;
    const DWORD nAttr = GetFileAttributesW(strPath.GetString());
    return nAttr != INVALID_FILE_ATTRIBUTES && !(nAttr & FILE_ATTRIBUTE_DIRECTORY) && !(nAttr & FILE_ATTRIBUTE_READONLY);
}

bool CSafeFile::IsNewerThan(const CString& a, const CString& b)
{
    FILETIME fa, fb;
    if (!LastWrite(a, fa))
        return false;
    return !LastWrite(b, fb) || CompareFileTime(&fa, &fb) > 0;
}

CSafeFile::LineReader::~LineReader()
{
    if (m_nFile != -1)
        CloseHandle(reinterpret_cast<HANDLE>(m_nFile));
}

bool CSafeFile::LineReader::Open(const CString& strPath)
{
    if (strPath.IsEmpty() || m_nFile != -1 || !Step("open"))
        return false;
    HANDLE hFile = CreateFileW(strPath.GetString(), GENERIC_READ,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    m_nFile = reinterpret_cast<std::intptr_t>(hFile);
    LARGE_INTEGER size;
    if (!Step("fstat") || !GetFileSizeEx(hFile, &size) || size.QuadPart > MaxReadBytes)
        return false;
    m_nSize = size.QuadPart;
    return true;
}

bool CSafeFile::LineReader::ReadAt(long long nOffset, char* p, size_t n, size_t& nRead)
{
    OVERLAPPED at = {};
    at.Offset = static_cast<DWORD>(nOffset);
    at.OffsetHigh = static_cast<DWORD>(nOffset >> 32);
    DWORD nDone = 0;
    if (!Step("read") || !ReadFile(reinterpret_cast<HANDLE>(m_nFile), p, static_cast<DWORD>(n), &nDone, &at)) {
        nRead = 0;
        return GetLastError() == ERROR_HANDLE_EOF;
    }
    nRead = nDone;
    return true;
}

bool CSafeFile::Exists(const CString& strPath)
{
    FILETIME ft;
    return LastWrite(strPath, ft);
}

bool CSafeFile::Write(const CString& strPath, const std::string& bytes)
{
    if (strPath.IsEmpty())
        return false;
    std::wstring temp = TempPathFor(strPath.wstr());
    if (!Step("open"))
        return false;
    HANDLE hFile = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    bool bOk = true;
    size_t nDone = 0;
    while (bOk && nDone < bytes.size()) {
        DWORD nChunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - nDone, 1u << 30));
        DWORD nWritten = 0;
        bOk = Step("write") && WriteFile(hFile, bytes.data() + nDone, nChunk, &nWritten, nullptr) != 0
            && nWritten > 0;
        nDone += nWritten;
    }
    bOk = bOk && Step("fsync") && FlushFileBuffers(hFile);
    bOk = CloseHandle(hFile) && bOk;

    // Another program may hold the target open for a moment (a virus scanner, the map
    // control reading it): retry briefly before giving up.
    bool bOldGone = false;
    for (int nTry = 0; bOk; ++nTry) {
        BOOL bDone = FALSE;
        DWORD nError = ERROR_SUCCESS;
        if (!Step("rename")) {
            bOk = false;
            break;
        }
        if (GetFileAttributesW(strPath.GetString()) != INVALID_FILE_ATTRIBUTES) {
            // Probe first: Wine's ReplaceFileW leaves an empty temporary file behind each
            // time it fails on a target that another program holds open.
            HANDLE hProbe = CreateFileW(strPath.GetString(), DELETE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (hProbe == INVALID_HANDLE_VALUE) {
                nError = GetLastError();
            } else {
                CloseHandle(hProbe);
                bDone = ReplaceFileW(strPath.GetString(), temp.c_str(), nullptr,
                                     REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
            }
        } else {
            bDone = MoveFileExW(temp.c_str(), strPath.GetString(),
                                MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        }
        if (bDone)
            return true;
        if (nError == ERROR_SUCCESS)
            nError = GetLastError();
        // ReplaceFileW has then removed the target but left the new file under its temporary
        // name; the next try moves it into place.
        if (nError == ERROR_UNABLE_TO_MOVE_REPLACEMENT)
            bOldGone = true;
        bool bTransient = nError == ERROR_SHARING_VIOLATION || nError == ERROR_LOCK_VIOLATION
            || nError == ERROR_ACCESS_DENIED || nError == ERROR_UNABLE_TO_REMOVE_REPLACED
            || nError == ERROR_UNABLE_TO_MOVE_REPLACEMENT;
        if (!bTransient || nTry >= 10)
            bOk = false;
        else
            Sleep(50);
    }
    // Once the old file is gone the temporary file holds the only copy: it stays.
    if (!bOldGone || GetFileAttributesW(strPath.GetString()) != INVALID_FILE_ATTRIBUTES)
        DeleteFileW(temp.c_str());
    return false;
}

#else

namespace {

bool StatFile(const CString& strPath, struct stat& st)
{
    return !strPath.IsEmpty() && Step("stat") && stat(CityUtf8FromWide(strPath.wstr()).c_str(), &st) == 0
        && S_ISREG(st.st_mode);
}

}  // namespace

CSafeFile::LineReader::~LineReader()
{
    if (m_nFile != -1)
        close(static_cast<int>(m_nFile));
}

bool CSafeFile::LineReader::Open(const CString& strPath)
{
    if (strPath.IsEmpty() || m_nFile != -1 || !Step("open"))
        return false;
    int fd = open(CityUtf8FromWide(strPath.wstr()).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    m_nFile = fd;
    struct stat st;
    if (!Step("fstat") || fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > MaxReadBytes)
        return false;
    m_nSize = st.st_size;
    return true;
}

bool CSafeFile::LineReader::ReadAt(long long nOffset, char* p, size_t n, size_t& nRead)
{
    nRead = 0;
    for (;;) {
        ssize_t nDone = Step("read") ? pread(static_cast<int>(m_nFile), p, n, nOffset) : (errno = EIO, -1);
        if (nDone < 0 && errno == EINTR)
            continue;
        if (nDone < 0)
            return false;
        nRead = static_cast<size_t>(nDone);
        return true;
    }
}

bool CSafeFile::Exists(const CString& strPath)
{
    struct stat st;
    return StatFile(strPath, st);
}

bool CSafeFile::IsWritable(const CString& strPath)
{
    struct stat st;
    return StatFile(strPath, st) && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
}

bool CSafeFile::IsNewerThan(const CString& a, const CString& b)
{
    struct stat sa, sb;
    if (!StatFile(a, sa))
        return false;
    if (!StatFile(b, sb))
        return true;
    return sa.st_mtim.tv_sec != sb.st_mtim.tv_sec ? sa.st_mtim.tv_sec > sb.st_mtim.tv_sec
                                                  : sa.st_mtim.tv_nsec > sb.st_mtim.tv_nsec;
}

bool CSafeFile::Write(const CString& strPath, const std::string& bytes)
{
    if (strPath.IsEmpty())
        return false;
    std::string target = CityUtf8FromWide(strPath.wstr());
    std::string temp = CityUtf8FromWide(TempPathFor(strPath.wstr()));
    if (!Step("open"))
        return false;
    int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    bool bOk = true;
    struct stat stTarget;
    if (StatFile(strPath, stTarget))
        bOk = Step("fchmod") && fchmod(fd, stTarget.st_mode & 07777) == 0;  // the new file keeps the old one's mode
    size_t nDone = 0;
    while (bOk && nDone < bytes.size()) {
        ssize_t n = Step("write") ? write(fd, bytes.data() + nDone, bytes.size() - nDone) : (errno = EIO, -1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            bOk = false;
            break;
        }
        nDone += static_cast<size_t>(n);
    }
    bOk = bOk && Step("fsync") && fsync(fd) == 0;
    bOk = close(fd) == 0 && bOk;
    // rename replaces the target in one step: readers see the old file or the new one.
    if (bOk && Step("rename") && rename(temp.c_str(), target.c_str()) == 0)
        return true;
    if (Step("unlink"))
        unlink(temp.c_str());
    return false;
}

#endif
