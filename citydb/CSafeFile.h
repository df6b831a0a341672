#pragma once

#include <afx/CString.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Whole-file reading and writing of the city list and the change log, and the list read line
// by line. A save writes a temporary file beside the target and replaces the target only when
// the whole content has been written, so a failure leaves the old file as it was.
class CSafeFile {
public:
    // Largest file Read accepts.
    static constexpr long long MaxReadBytes = 64LL * 1024 * 1024;

    // The file's bytes, as they are; false (bytes emptied) when it cannot be opened or read,
    // or is larger than MaxReadBytes.
    static bool Read(const CString& strPath, std::string& bytes);
    // Replaces (or creates) the file with exactly these bytes; false when it could not, and
    // then the old file, if any, is unchanged and no temporary file is left.
    static bool Write(const CString& strPath, const std::string& bytes);
    static bool Exists(const CString& strPath);
    // True when the file exists, is no folder and may be written: not read-only on Windows, some
    // write bit set elsewhere (not access(): a program run as root may write anything).
    static bool IsWritable(const CString& strPath);
    // True when a was last written after b; a missing a is never newer, and an existing a is
    // newer than a missing b.
    static bool IsNewerThan(const CString& a, const CString& b);

    // Test seam: called before each file-system call of this class with the call's name; a
    // false return fails that call as the system would. Null (the default) calls nothing.
    using StepHook = bool (*)(const char* pszCall);
    static void SetStepHook(StepHook pHook);

    // A file read line by line through a small buffer, from its start as often as wanted, so
    // that a large file never sits in memory whole. Reading stops at the size the file had
    // when it was opened (or at its end, if it shrank), as Read does.
    class LineReader {
    public:
        explicit LineReader(size_t nChunk = 64 * 1024) : m_buffer(std::max<size_t>(nChunk, 1)) {}
        ~LineReader();
        LineReader(const LineReader&) = delete;
        LineReader& operator=(const LineReader&) = delete;

        // False when the file cannot be opened, is no regular file or is larger than MaxReadBytes.
        bool Open(const CString& strPath);
        // Each line in order, without its LF (a CR before it stays), with the offset just past
        // it. False when a read failed; the lines before it have been handed on.
        using OnLine = std::function<void(const char* p, const char* pEnd, long long nNext)>;
        bool ForEachLine(const OnLine& onLine);

    private:
        friend class CSafeFile;
        // Up to n bytes from nOffset; false when the read failed.
        bool ReadAt(long long nOffset, char* p, size_t n, size_t& nRead);

        std::vector<char> m_buffer;
        long long m_nSize = 0;
        std::intptr_t m_nFile = -1;  // the file's handle or descriptor; -1: none
    };
};
