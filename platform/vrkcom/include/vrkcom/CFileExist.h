#pragma once

#include <vrkcom/vrkcomdefs.h>
#include <afx/CString.h>

// Decides which file to use for a path that may not exist.
class VRKCOM_API CFileExist {
public:
    CFileExist() = default;
    CFileExist(const CFileExist&) = default;
    CFileExist& operator=(const CFileExist&) = default;
    virtual ~CFileExist();

    // The file to use: the path itself when it names an existing file (not a folder), otherwise
    // an empty string. The result is also kept in m_strFileName.
    CString GetFileName(const CString& path);

protected:
    CString m_strFileName;  // the last result of GetFileName
};
