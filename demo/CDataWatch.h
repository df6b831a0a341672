#pragma once

#include <afx/CString.h>

#include <map>
#include <string>
#include <vector>

// Finds the files written in a folder tree between two looks: a file that is new, whose size,
// time of last write or bytes changed, or that is gone. The library writes its files only into
// the data folder it was given, through more than one routine (a plain write, a temporary file
// replacing the old one); looking at the folder sees every one of them, whichever routine wrote.
class CDataWatch {
public:
    struct File {
        long long size = -1;       // -1: the file is gone
        unsigned long long time = 0;
        std::string sha256;        // lower-case hex
    };
    // Name relative to the folder, '/' between its parts.
    using Snapshot = std::map<CString, File>;

    explicit CDataWatch(const CString& folder);

    // Looks again; the files written since the last look (a rewrite shows in the time of last
    // write even with the same bytes), new and changed in name order, then the ones gone.
    std::vector<std::pair<CString, File>> Changes();

    // The hex SHA-256 of a file's bytes; empty when it cannot be read.
    static std::string Sha256(const CString& path);

private:
    Snapshot Take() const;
    void Scan(const CString& dir, const CString& prefix, Snapshot& out) const;

    CString m_strFolder;
    Snapshot m_last;
};
