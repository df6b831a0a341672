#pragma once

#include <afx/CString.h>

#include <string>

// Whole-file reading and writing of the city list and the change log. A save writes a
// temporary file beside the target and replaces the target only when the whole content has
// been written, so a failure leaves the old file as it was.
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
};
