#include <vrkcom/CFileExist.h>

#include <vrkcom/CCommonFile.h>

CFileExist::~CFileExist() = default;

CString CFileExist::GetFileName(const CString& path)
{
    m_strFileName = CCommonFile::DoesFileExist(path) ? path : CString();
    return m_strFileName;
}
