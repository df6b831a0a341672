#pragma once

#include <citydb/CCityData.h>
#include <citydb/CCityEditor.h>
#include <citydb/CLocationLog.h>
#include <citydb/ICityProgress.h>
#include <citydb/ICityTree.h>

#include <afx/CString.h>

#include <vector>

// One city-list session over a tree its owner gives (the city list dialog's tree view, or the
// in-memory tree): the place and folder lists, the change log and the edits, from loading the
// files to saving them. The dialog, the command-line tool, the tests and the benchmarks all
// run their lists through it.
class CCitySession {
public:
    explicit CCitySession(ICityTree& tree);
    CCitySession(const CCitySession&) = delete;
    CCitySession& operator=(const CCitySession&) = delete;

    // The system list (read), the user list and the change log (both written).
    void SetFiles(const CString& strObsFile, const CString& strUserObsFile, const CString& strUserJsonFile);
    // Null: no progress reports.
    void SetProgress(ICityProgress* pProgress) { m_data.m_pProgress = pProgress; }

    // What the dialog's initialisation does: decides whether the list may be edited, reads the
    // system list into the emptied tree and lists, and replays the change log onto them.
    // The session is unmodified afterwards. A user list older than the log (a save cut short
    // between the two) is rewritten from the tree, but only when the system list was read.
    // False when it could not be read.
    bool Load();
    // The reset button: the system list alone and an empty log, modified and editable.
    void Reset() { m_editor.ResetCityList(); }
    // The item reached through these names from the top ("場所" first); null when none.
    HCITYITEM Find(const std::vector<CString>& aPath) const;

    // OK saves only a list that was changed and may be edited.
    bool IsSaveDue() const { return m_editor.m_bModified && m_editor.m_bEditable; }
    CLocationLog::SaveResult Save() { return m_log.SaveCityList(); }

    // The list may be edited when the system list exists and is not read-only.
    static bool IsListEditable(const CString& strObsFile);
    // What the location dialog's start does: when the system list or the log was written after
    // the user list, the user list is rebuilt from the system list and the log. True when it
    // was stale and rebuilt; a system list that cannot be read rebuilds nothing.
    static bool RebuildUserListIfStale(const CString& strObsFile, const CString& strUserObsFile,
                                       const CString& strUserJsonFile);

    ICityTree& m_tree;
    CCityData m_data;
    CLocationLog m_log{m_data};
    CCityEditor m_editor{m_data, m_log};
};
