#pragma once

#include <vrkcom/vrkcomdefs.h>
#include <afx/CString.h>

#include <string>

class CFileException;

// A text file read and written line by line.
//
// Encoding: by default, and after SetUnicode(FALSE, ...), the file holds ANSI text (the system
// code page) with no byte-order mark: WriteString converts the wide text to ANSI bytes and
// ReadString converts each line back. After SetUnicode(TRUE, bNoBom) the file holds UTF-16LE,
// with a byte-order mark at the start unless bNoBom. A file opened for reading that starts with
// the UTF-16LE mark is read as UTF-16LE whatever the mode (the mark is skipped).
//
// Line ends: WriteString writes the text exactly as given (no LF -> CR LF translation), so the
// caller decides the line ends. ReadString accepts CR LF and LF and returns the line without them.
class VRKCOM_API CZelFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };
    enum SeekPosition { begin = 0, current = 1, end = 2 };

    CZelFile();
    ~CZelFile();
    CZelFile(const CZelFile&) = delete;
    CZelFile& operator=(const CZelFile&) = delete;

    void SetUnicode(BOOL bUnicode, BOOL bNoBom);

    // modeCreate truncates an existing file unless modeNoTruncate. No exception is thrown and
    // pError is not used (pass nullptr). FALSE when the file cannot be opened.
    BOOL Open(LPCTSTR path, UINT nOpenFlags, CFileException* pError = nullptr);
    // FALSE when buffered text could not be written.
    BOOL Close();
    BOOL IsOpen() const { return m_hFile != INVALID_HANDLE_VALUE; }

    // FALSE at the end of the file (a last line without a line end is still returned).
    BOOL ReadString(CString& line);
    // FALSE when not all bytes could be written.
    BOOL WriteString(LPCTSTR text);

    // Byte positions in the file. -1 on failure.
    long long GetLength() const;
    long long GetPosition() const;
    long long Seek(long long offset, UINT from);
    void SeekToBegin() { Seek(0, begin); }

private:
    bool Fill();
    bool ReadLineBytes(std::string& bytes);

    HANDLE m_hFile;
    BOOL m_bUnicode;
    BOOL m_bNoBom;
    bool m_bReadUtf16;
    bool m_bWriting;
    std::string m_buf;       // bytes read ahead of the caller
    size_t m_bufPos;         // next unread byte in m_buf
};
