#pragma once

#include <afx/CString.h>

#include <string>
#include <vector>

class CCitySession;

// The obsdb commands. Run takes the arguments after the program name and returns the exit
// status; what the program prints goes to m_out (standard output) and m_err (standard error),
// both UTF-8.
//   0  done (an edit the dialog refuses is reported and skipped, and still counts as done)
//   1  bad input: an edits line that is malformed or names no item, or an unreadable file;
//      find: no name holds the text
//   2  bad command line
//   3  a file could not be written (the old one is left as it was)
class CObsdbCommand {
public:
    int Run(const std::vector<std::wstring>& args);

    std::string m_out;
    std::string m_err;

private:
    int Rebuild(const std::vector<std::wstring>& args);
    int Apply(const std::vector<std::wstring>& args);
    int Dump(const std::vector<std::wstring>& args);
    int Find(const std::vector<std::wstring>& args);
    int Usage(const std::string& strWhy);
    bool HasSystemList(const CString& strSystem);
    // Loads the lists as the dialog does, with a warning when the log was not replayed whole.
    void Load(CCitySession& city, const CString& strSystem, const std::wstring& strLog);
    void Error(const std::string& strText);
};
