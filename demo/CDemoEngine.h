#pragma once

#include <standin/CStandInEngine.h>

#include <functional>
#include <map>

// The demo's sky engine: the stand-in engine's reply table, plus what it is told. An assignment
// "name = value" (also "name = value; Show Sky") keeps the value, and "? name" answers it from
// then on. Every command can be written to a log file, one line each, UTF-8.
class CDemoEngine : public CStandInEngine {
public:
    CString Reply(const CString& command) override;

    // Called with every command as it arrives.
    std::function<void(const CString& command)> m_onCommand;
    // Called after an assignment with the name and the value kept.
    std::function<void(const CString& name, const CString& value)> m_onAssign;
    CString m_strLogFile;

    // The name and value of an assignment, the value without a trailing "; ..." command and
    // without the double quotes around it; false when the text is no assignment.
    static bool SplitAssignment(const CString& command, CString& name, CString& value);

private:
    void Log(const CString& command) const;

    std::map<CString, CString> m_values;
};
