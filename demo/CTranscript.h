#pragma once

#include "CJsonLine.h"

#include <cstdio>

// The transcript of a played script: JSON Lines in UTF-8, one event a line, written as the
// events happen so that a run that stops early keeps what it had.
class CTranscript {
public:
    CTranscript() = default;
    CTranscript(const CTranscript&) = delete;
    CTranscript& operator=(const CTranscript&) = delete;
    ~CTranscript() { Close(); }

    bool Open(const CString& path);
    void Close();
    bool IsOpen() const { return m_pFile != nullptr; }
    void Write(const CJsonLine& event);

private:
    FILE* m_pFile = nullptr;
};
