#include <vrkcom/CZelFile.h>

#include <afx/AnsiCodePage.h>

#include <algorithm>
#include <cstring>

namespace {

const size_t kChunk = 64 * 1024;

std::wstring WideFromUtf16Bytes(const std::string& bytes)
{
    std::wstring w(bytes.size() / 2, L'\0');
    if (!w.empty())
        memcpy(&w[0], bytes.data(), w.size() * 2);
    return w;
}

}  // namespace

CZelFile::CZelFile()
    : m_hFile(INVALID_HANDLE_VALUE), m_bUnicode(FALSE), m_bNoBom(TRUE), m_bReadUtf16(false),
      m_bWriting(false), m_bufPos(0)
{
}

CZelFile::~CZelFile()
{
    Close();
}

void CZelFile::SetUnicode(BOOL bUnicode, BOOL bNoBom)
{
    m_bUnicode = bUnicode;
    m_bNoBom = bNoBom;
}

BOOL CZelFile::Open(LPCTSTR path, UINT nOpenFlags, CFileException* /*pError*/)
{
    Close();
    if (!path || !*path)
        return FALSE;

    DWORD access = GENERIC_READ;
    if ((nOpenFlags & 3) == modeWrite)
        access = GENERIC_WRITE;
    else if ((nOpenFlags & 3) == modeReadWrite)
        access = GENERIC_READ | GENERIC_WRITE;

    DWORD share = 0;
    switch (nOpenFlags & 0x70) {
    case shareDenyNone: share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE; break;
    case shareDenyRead: share = FILE_SHARE_WRITE; break;
    case shareDenyWrite: share = FILE_SHARE_READ; break;
    default: share = 0; break;
    }

    DWORD disposition = OPEN_EXISTING;
    if (nOpenFlags & modeCreate)
        disposition = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;

    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, (nOpenFlags & modeNoInherit) ? FALSE : TRUE};
    m_hFile = CreateFileW(path, access, share, &sa, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_hFile == INVALID_HANDLE_VALUE)
        return FALSE;

    m_buf.clear();
    m_bufPos = 0;
    m_bWriting = (access & GENERIC_WRITE) != 0;
    m_bReadUtf16 = m_bUnicode != FALSE;

    if (access & GENERIC_READ) {
        // A UTF-16LE byte-order mark decides the encoding; it is never part of the first line.
        Fill();
        if (m_buf.size() >= 2 && static_cast<unsigned char>(m_buf[0]) == 0xFF
            && static_cast<unsigned char>(m_buf[1]) == 0xFE) {
            m_bReadUtf16 = true;
            m_bufPos = 2;
        }
    }
    if (m_bWriting && m_bUnicode && !m_bNoBom && GetLength() == 0) {
        static const unsigned char bom[2] = {0xFF, 0xFE};
        DWORD written = 0;
        if (!WriteFile(m_hFile, bom, 2, &written, nullptr) || written != 2) {
            Close();
            return FALSE;
        }
    }
    return TRUE;
}

BOOL CZelFile::Close()
{
    if (m_hFile == INVALID_HANDLE_VALUE)
        return TRUE;
    BOOL ok = TRUE;
    if (m_bWriting && !FlushFileBuffers(m_hFile))
        ok = FALSE;
    if (!CloseHandle(m_hFile))
        ok = FALSE;
    m_hFile = INVALID_HANDLE_VALUE;
    m_buf.clear();
    m_bufPos = 0;
    m_bWriting = false;
    return ok;
}

bool CZelFile::Fill()
{
    if (m_bufPos > 0) {
        m_buf.erase(0, m_bufPos);
        m_bufPos = 0;
    }
    const size_t old = m_buf.size();
    m_buf.resize(old + kChunk);
    DWORD got = 0;
    if (!ReadFile(m_hFile, &m_buf[old], static_cast<DWORD>(kChunk), &got, nullptr))
        got = 0;
    m_buf.resize(old + got);
    return got > 0;
}

bool CZelFile::ReadLineBytes(std::string& bytes)
{
    bytes.clear();
    // ANSI: LF is never a trail byte in the code pages in use, so a byte scan is safe.
    // UTF-16LE: look at whole units only.
    const size_t unit = m_bReadUtf16 ? 2 : 1;
    size_t scanned = m_bufPos;
    for (;;) {
        for (; scanned + unit <= m_buf.size(); scanned += unit) {
            const bool lf = m_buf[scanned] == '\n' && (unit == 1 || m_buf[scanned + 1] == 0);
            if (lf) {
                bytes.assign(m_buf, m_bufPos, scanned - m_bufPos);
                m_bufPos = scanned + unit;
                return true;
            }
        }
        const size_t offset = scanned - m_bufPos;
        if (!Fill()) {
            if (m_bufPos >= m_buf.size())
                return false;
            // Last line without a line end (a stray odd byte of UTF-16 is dropped).
            bytes.assign(m_buf, m_bufPos, m_buf.size() - m_bufPos);
            m_bufPos = m_buf.size();
            return true;
        }
        scanned = m_bufPos + offset;
    }
}

BOOL CZelFile::ReadString(CString& line)
{
    if (m_hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    std::string bytes;
    if (!ReadLineBytes(bytes))
        return FALSE;
    std::wstring text = m_bReadUtf16 ? WideFromUtf16Bytes(bytes) : WideFromAnsi(bytes);
    if (!text.empty() && text.back() == L'\r')
        text.pop_back();
    line = CString(std::move(text));
    return TRUE;
}

BOOL CZelFile::WriteString(LPCTSTR text)
{
    if (m_hFile == INVALID_HANDLE_VALUE || !m_bWriting)
        return FALSE;
    if (!text || !*text)
        return TRUE;
    std::string bytes;
    if (m_bUnicode) {
        const size_t n = wcslen(text);
        bytes.assign(reinterpret_cast<const char*>(text), n * sizeof(wchar_t));
    } else {
        bytes = AnsiFromWide(text);
    }
    // Writing after reading ahead: put the file pointer where the caller believes it is.
    if (m_bufPos < m_buf.size())
        Seek(GetPosition(), begin);
    m_buf.clear();
    m_bufPos = 0;
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(m_hFile, bytes.data() + done, want, &written, nullptr) || written == 0)
            return FALSE;
        done += written;
    }
    return TRUE;
}

long long CZelFile::GetLength() const
{
    LARGE_INTEGER size;
    if (m_hFile == INVALID_HANDLE_VALUE || !GetFileSizeEx(m_hFile, &size))
        return -1;
    return size.QuadPart;
}

long long CZelFile::GetPosition() const
{
    LARGE_INTEGER zero = {}, pos;
    if (m_hFile == INVALID_HANDLE_VALUE || !SetFilePointerEx(m_hFile, zero, &pos, FILE_CURRENT))
        return -1;
    // Bytes read ahead but not yet handed out are still in front of the caller.
    return pos.QuadPart - static_cast<long long>(m_buf.size() - m_bufPos);
}

long long CZelFile::Seek(long long offset, UINT from)
{
    if (m_hFile == INVALID_HANDLE_VALUE)
        return -1;
    LARGE_INTEGER target;
    DWORD method = FILE_BEGIN;
    if (from == current) {
        const long long here = GetPosition();
        if (here < 0)
            return -1;
        target.QuadPart = here + offset;
    } else {
        target.QuadPart = offset;
        method = from == end ? FILE_END : FILE_BEGIN;
    }
    LARGE_INTEGER pos;
    if (!SetFilePointerEx(m_hFile, target, &pos, method))
        return -1;
    m_buf.clear();
    m_bufPos = 0;
    return pos.QuadPart;
}
