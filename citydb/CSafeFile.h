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
};
