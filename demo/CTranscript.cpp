#include "CTranscript.h"

bool CTranscript::Open(const CString& path)
{
    Close();
    m_pFile = _wfopen(path.GetString(), L"wb");
    return m_pFile != nullptr;
}

void CTranscript::Close()
{
    if (m_pFile)
        std::fclose(m_pFile);
    m_pFile = nullptr;
}

void CTranscript::Write(const CJsonLine& event)
{
    if (!m_pFile)
        return;
    const std::string line = event.Text() + "\n";
    std::fwrite(line.data(), 1, line.size(), m_pFile);
    std::fflush(m_pFile);
}
