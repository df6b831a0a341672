#include <citydb/CCitySession.h>

#include <citydb/CMemTree.h>
#include <citydb/CSafeFile.h>

CCitySession::CCitySession(ICityTree& tree)
    : m_tree(tree)
{
    m_data.m_pTree = &tree;
}

void CCitySession::SetFiles(const CString& strObsFile, const CString& strUserObsFile,
                            const CString& strUserJsonFile)
{
    m_data.m_strObsFile = strObsFile;
    m_data.m_strUserObsFile = strUserObsFile;
    m_data.m_strUserJsonFile = strUserJsonFile;
}

bool CCitySession::Load()
{
    m_editor.m_bEditable = IsListEditable(m_data.m_strObsFile);
    m_editor.m_bModified = 0;
    m_data.ResetLists();
    const bool bRead = m_data.LoadCityList();
    m_log.LoadLocationTreeContext();
    // Without its system list the tree holds the log's own places alone: written out, it
    // would take every other place off the map, so the old user list stays.
    const CString& strList = m_data.m_strUserObsFile;
    if (bRead && !strList.IsEmpty() && CSafeFile::IsNewerThan(m_data.m_strUserJsonFile, strList))
        m_data.RefreshUserObs();
    return bRead;
}

bool CCitySession::RebuildUserListIfStale(const CString& strObsFile, const CString& strUserObsFile,
                                          const CString& strUserJsonFile)
{
    if (!CSafeFile::IsNewerThan(strObsFile, strUserObsFile) && !CSafeFile::IsNewerThan(strUserJsonFile, strUserObsFile))
        return false;
    // The in-memory tree runs the same loading, replay and writing as the dialog's tree view.
    CMemTree tree;
    CCitySession session(tree);
    session.SetFiles(strObsFile, strUserObsFile, strUserJsonFile);
    // The load itself rewrites a list older than the log.
    if (!session.Load())
        return false;
    if (CSafeFile::IsNewerThan(strObsFile, strUserObsFile))
        session.m_data.RefreshUserObs();
    return true;
}

HCITYITEM CCitySession::Find(const std::vector<CString>& aPath) const
{
    HCITYITEM hItem = nullptr;
    HCITYITEM hParent = nullptr;
    for (const CString& strName : aPath) {
        hItem = m_tree.GetChildItem(hParent);
        while (hItem && m_tree.GetItemText(hItem).Compare(strName) != 0)
            hItem = m_tree.GetNextSiblingItem(hItem);
        if (!hItem)
            return nullptr;
        hParent = hItem;
    }
    return hItem;
}

bool CCitySession::IsListEditable(const CString& strObsFile)
{
    return CSafeFile::IsWritable(strObsFile);
}
