#include "CDemoEngine.h"

#include <citydb/Utf8Text.h>

#include <cstdio>
#include <string>


bool CDemoEngine::SplitAssignment(const CString& command, CString& name, CString& value)
{
    const int eq = command.Find(L" = ");
    if (eq <= 0 || command[0] == L'?')
        return false;
    name = command.Left(eq);
    name.Trim();
    value = command.Mid(eq + 3);
    value.TrimLeft();
    if (!value.IsEmpty() && value[0] == L'"') {
        // A quoted value may hold ';' (a path): it ends at its closing quote.
        const int close = value.Find(L'"', 1);
        value = close < 0 ? value.Mid(1) : value.Mid(1, close - 1);
        return !name.IsEmpty();
    }
    const int semi = value.Find(L';');
    if (semi >= 0)
        value = value.Left(semi);
    value.TrimRight();
    return !name.IsEmpty();
}

CString CDemoEngine::Reply(const CString& command)
{
    Log(command);
    if (m_onCommand)
        m_onCommand(command);
    if (command.Left(2) == L"? ") {
        CString name = command.Mid(2);
        name.Trim();
        const auto it = m_values.find(name);
        if (it != m_values.end())
            return it->second;
        return CStandInEngine::Reply(command);
    }
    CString name, value;
    if (!SplitAssignment(command, name, value))
        return CStandInEngine::Reply(command);
    m_values[name] = value;
    if (m_onAssign)
        m_onAssign(name, value);
    return CString();
}

void CDemoEngine::Log(const CString& command) const
{
    if (m_strLogFile.IsEmpty())
        return;
    FILE* f = _wfopen(m_strLogFile.GetString(), L"ab");
    if (!f)
        return;
    const std::string line = CityUtf8FromWide(command.wstr()) + '\n';
    std::fwrite(line.data(), 1, line.size(), f);
    std::fclose(f);
}
