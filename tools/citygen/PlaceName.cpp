#include "PlaceName.h"

#include <citydb/CityText.h>
#include <citydb/Utf8Text.h>

#include <afx/AnsiCodePage.h>

#include <glib.h>

#include <cstdio>
#include <cwchar>
#include <memory>
#include <stdexcept>

bool AnsiHolds(const std::wstring& strText)
{
    return WideFromAnsi(AnsiFromWide(strText)) == strText;
}

int AnsiBytes(const std::wstring& strText)
{
    return static_cast<int>(AnsiFromWide(strText).size());
}

namespace {

// Letters that GLib cannot spell in ASCII but the data uses (Turkish, Vietnamese, Maltese,
// Azerbaijani names and the ʻokina of transcriptions).
const wchar_t* ExtraSpelling(wchar_t ch)
{
    switch (ch) {
    case L'ı': return L"i";
    case L'İ': return L"I";
    case L'Đ': case L'Ð': return L"D";  // the eth stands in for the Vietnamese letter in some names
    case L'đ': case L'ð': return L"d";
    case L'Ħ': return L"H";
    case L'ħ': return L"h";
    case L'ǝ': case L'ə': return L"e";
    case L'Ə': return L"E";
    case L'ʻ': case L'ʼ': case L'ʽ': case L'ʿ': case L'ʾ': return L"'";
    default: return nullptr;
    }
}

std::wstring AsciiSpelling(wchar_t ch, const std::wstring& strName)
{
    if (const wchar_t* psz = ExtraSpelling(ch))
        return psz;
    std::unique_ptr<gchar, decltype(&g_free)> ascii(
        g_str_to_ascii(CityUtf8FromWide(std::wstring(1, ch)).c_str(), "C"), &g_free);
    std::string strAscii = ascii ? ascii.get() : "";
    if (strAscii.empty() || strAscii.find('?') != std::string::npos) {
        char szCode[16];
        std::snprintf(szCode, sizeof(szCode), "U+%04X", static_cast<unsigned>(ch));
        throw std::runtime_error("no ASCII spelling for " + std::string(szCode) + " in \"" +
                                 CityUtf8FromWide(strName) + "\"");
    }
    return CityWideFromUtf8(strAscii);
}

std::wstring Composed(const std::wstring& strText)
{
    std::string strUtf8 = CityUtf8FromWide(strText);
    std::unique_ptr<gchar, decltype(&g_free)> nfc(
        g_utf8_normalize(strUtf8.c_str(), static_cast<gssize>(strUtf8.size()), G_NORMALIZE_NFC), &g_free);
    return nfc ? CityWideFromUtf8(nfc.get()) : strText;
}

std::wstring MadeFit(const std::wstring& strPlain, int nMaxBytes)
{
    std::wstring strOut;
    for (wchar_t ch : Composed(strPlain)) {
        std::wstring strPiece(1, ch);
        if (ch == L',' || ch < 0x20 || ch == 0x7F || CityIsSpace(ch))
            strPiece = L" ";
        else if (!AnsiHolds(strPiece))
            // A combining mark that did not compose (H̱) goes; its letter stays.
            strPiece = g_unichar_ismark(static_cast<gunichar>(ch)) ? std::wstring() : AsciiSpelling(ch, strPlain);
        for (wchar_t c : strPiece) {
            bool bBlank = c == L' ';
            // No blank at the start, no two in a row, no "#" or "@" first.
            if (bBlank && (strOut.empty() || strOut.back() == L' '))
                continue;
            if (strOut.empty() && (c == L'#' || c == L'@'))
                continue;
            strOut += c;
        }
    }
    return ShortName(CString(strOut).TrimRight().wstr(), nMaxBytes);
}

// strText without the blanks and separators at its end.
std::wstring Ended(std::wstring strText)
{
    while (!strText.empty() && std::wcschr(L" -/&:", strText.back()))
        strText.pop_back();
    return strText;
}

}  // namespace

bool ListHoldsName(const std::wstring& strName, int nMaxBytes)
{
    if (strName.empty() || strName[0] == L'#' || strName[0] == L'@' || CityIsSpace(strName.front()) ||
        CityIsSpace(strName.back()))
        return false;
    for (wchar_t ch : strName) {
        if (ch == L',' || ch < 0x20 || ch == 0x7F)
            return false;
    }
    if (!AnsiHolds(strName))
        return false;
    return nMaxBytes <= 0 || AnsiBytes(strName) <= nMaxBytes;
}

std::wstring ShortName(const std::wstring& strName, int nMaxBytes)
{
    if (nMaxBytes <= 0 || AnsiBytes(strName) <= nMaxBytes)
        return strName;
    const std::wstring strOpen = L"([{（［「『【", strClose = L")]}）］」』】";
    std::wstring strWhole;
    size_t nFit = 0, nOpenAt = 0;  // characters that fit; where the outermost open bracket is
    int nDepth = 0;
    for (int nBytes = 0;; ++nFit) {
        const wchar_t ch = strName[nFit];
        if (ch == L' ' && nDepth == 0 && !Ended(strName.substr(0, nFit)).empty())
            strWhole = Ended(strName.substr(0, nFit));
        nBytes += AnsiBytes(std::wstring(1, ch));
        if (nBytes > nMaxBytes)
            break;
        if (strOpen.find(ch) != std::wstring::npos && nDepth++ == 0)
            nOpenAt = nFit;
        else if (strClose.find(ch) != std::wstring::npos && nDepth > 0)
            --nDepth;
    }
    if (!strWhole.empty())
        return strWhole;
    if (nDepth > 0 && !Ended(strName.substr(0, nOpenAt)).empty())
        nFit = nOpenAt;
    return Ended(strName.substr(0, nFit));
}

CString ListName(const std::wstring& strLocal, const std::wstring& strPlain, int nMaxBytes)
{
    if (ListHoldsName(strLocal, nMaxBytes))
        return CString(strLocal);
    std::wstring strFit = MadeFit(strPlain, nMaxBytes);
    if (!ListHoldsName(strFit, nMaxBytes))
        throw std::runtime_error("no name the list can hold for \"" + CityUtf8FromWide(strPlain) + "\"");
    return CString(strFit);
}
