#include "CObsdbCommand.h"

#include "CObsdbEdit.h"

#include <citydb/CCityData.h>
#include <citydb/CCityEditor.h>
#include <citydb/CLocationLog.h>
#include <citydb/CMemTree.h>
#include <citydb/CSafeFile.h>
#include <citydb/CityLogText.h>
#include <citydb/CoordFields.h>

#include <afx/AnsiCodePage.h>

#include <cmath>
#include <cstdlib>

#ifdef _WIN32
#  include <windows.h>
#else
#  include <sys/stat.h>
#endif

namespace {

std::string U8(const CString& str)
{
    return CityUtf8FromWide(str.wstr());
}

// As the dialog decides at start: the system list exists and is not read-only.
bool IsWritableFile(const CString& strPath)
{
#ifdef _WIN32
    DWORD nAttr = GetFileAttributesW(strPath.GetString());
    return nAttr != INVALID_FILE_ATTRIBUTES && !(nAttr & FILE_ATTRIBUTE_DIRECTORY)
        && !(nAttr & FILE_ATTRIBUTE_READONLY);
#else
    struct stat st;
    // The write bits, not access(): a program run as root may write anything.
    return stat(CityUtf8FromWide(strPath.wstr()).c_str(), &st) == 0 && S_ISREG(st.st_mode)
        && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
#endif
}

// The tree and lists of one city list dialog, loaded from a system list and a change log.
struct CityDialogData {
    CMemTree tree;
    CCityData data;
    CLocationLog log{data};
    CCityEditor editor{data, log};

    void Load(const CString& strSystem, const CString& strLog)
    {
        data.m_pTree = &tree;
        data.m_strObsFile = strSystem;
        data.m_strUserJsonFile = strLog;
        editor.m_bEditable = IsWritableFile(strSystem);
        data.LoadCityList();
        log.LoadLocationTreeContext();
    }

    HCITYITEM Find(const std::vector<CString>& aPath) const
    {
        HCITYITEM hParent = nullptr;
        HCITYITEM hItem = nullptr;
        for (const CString& strName : aPath) {
            hItem = tree.GetChildItem(hParent);
            while (hItem && tree.GetItemText(hItem).Compare(strName) != 0)
                hItem = tree.GetNextSiblingItem(hItem);
            if (!hItem)
                return nullptr;
            hParent = hItem;
        }
        return hItem;
    }
};

// What the place editor says on OK about these values, as its fields would show them; empty
// when it closes. Every failed check adds its line.
CString PlaceEditorRefusal(const CString& strName, const CCityList& place)
{
    CString strText;
    if (strName.IsEmpty())
        strText += CCityEditor::EmptyPlaceNameMessage();
    auto total = [](double dValue) {
        if (std::fabs(dValue) > 360.0)
            return std::fabs(dValue);  // far out of range; no fields to split it into
        CAngleParts parts = SplitAngle(std::fabs(dValue), 360);
        return parts.nDeg + parts.nMin / 60.0 + parts.dSec / 3600.0;
    };
    if (total(place.m_dLon) > 180.0)
        strText += L"経度には 0.0 から 180.0 までの値を入力してください\n";
    if (total(place.m_dLat) > 90.0)
        strText += L"緯度には 0.0 から 90.0 までの値を入力してください\n";
    if (place.m_dAlt < -9999.0 || place.m_dAlt > 999999.0)
        strText += L"標高には -9999 から 999999 までの値を入力してください\n";
    CTzParts tz = SplitTimeZone(place.m_dTz);
    if (tz.nHour + tz.nMin / 60.0 > 14.0)
        strText += L"タイムゾーンには 0 から 14 までの値を入力してください\n";
    return strText;
}

// True when the code page now in use converts more than ASCII. A code page the conversions do
// not know falls back to ASCII alone, which would write every other character as '?'; on
// Windows the system's own code page is always the one in use.
bool CodePageInUse(unsigned nCodePage)
{
    if (AfxGetAnsiCodePage() != nCodePage)
        return false;
    for (int nByte = 0x80; nByte <= 0xFF; ++nByte) {
        if (WideFromAnsi(std::string(1, static_cast<char>(nByte))) != L"\xFFFD")
            return true;
    }
    // UTF-8 decodes no single byte above 0x7F.
    return WideFromAnsi("\xC3\xA9") == L"\xE9";
}

std::string PathText(const std::vector<CString>& aPath)
{
    std::string out = "[";
    for (size_t i = 0; i < aPath.size(); ++i)
        out += (i ? ",\"" : "\"") + U8(aPath[i]) + "\"";
    return out + "]";
}

}  // namespace

void CObsdbCommand::Error(const std::string& strText)
{
    m_err += "obsdb: " + strText + "\n";
}

int CObsdbCommand::Usage(const std::string& strWhy)
{
    Error(strWhy);
    m_err += "usage: obsdb [--codepage N] rebuild SYSTEM LOG OUT_LIST\n"
             "       obsdb [--codepage N] apply SYSTEM LOG EDITS OUT_LIST OUT_LOG\n"
             "       obsdb [--codepage N] dump SYSTEM [LOG]\n";
    return 2;
}

int CObsdbCommand::Run(const std::vector<std::wstring>& argsIn)
{
    std::vector<std::wstring> args;
    for (size_t i = 0; i < argsIn.size(); ++i) {
        if (argsIn[i] == L"--codepage") {
            if (i + 1 >= argsIn.size())
                return Usage("--codepage needs a number");
            const std::wstring& value = argsIn[++i];
            wchar_t* pEnd = nullptr;
            unsigned long nCodePage = std::wcstoul(value.c_str(), &pEnd, 10);
            if (value.empty() || *pEnd || nCodePage == 0 || nCodePage > 65535)
                return Usage("bad code page \"" + CityUtf8FromWide(value) + "\"");
            AfxSetAnsiCodePage(static_cast<unsigned>(nCodePage));
            if (!CodePageInUse(static_cast<unsigned>(nCodePage))) {
                return Usage("code page " + std::to_string(nCodePage) + " is not available here (the files would be written in "
                             + std::to_string(AfxGetAnsiCodePage()) + " or lose their names)");
            }
        } else {
            args.push_back(argsIn[i]);
        }
    }
    if (args.empty())
        return Usage("no command");
    const std::wstring cmd = args[0];
    args.erase(args.begin());
    if (cmd == L"rebuild")
        return args.size() == 3 ? Rebuild(args) : Usage("rebuild takes SYSTEM LOG OUT_LIST");
    if (cmd == L"apply")
        return args.size() == 5 ? Apply(args) : Usage("apply takes SYSTEM LOG EDITS OUT_LIST OUT_LOG");
    if (cmd == L"dump")
        return args.size() == 1 || args.size() == 2 ? Dump(args) : Usage("dump takes SYSTEM [LOG]");
    return Usage("unknown command \"" + CityUtf8FromWide(cmd) + "\"");
}

int CObsdbCommand::Rebuild(const std::vector<std::wstring>& args)
{
    CString strSystem = args[0];
    if (!CSafeFile::Exists(strSystem)) {
        Error(U8(strSystem) + ": no such system list");
        return 1;
    }
    CityDialogData city;
    city.Load(strSystem, args[1]);
    if (city.log.IsLogDamaged())
        Error(CityUtf8FromWide(args[1]) + ": the change log could not be read whole; replayed as far as it reads");
    city.data.m_strUserObsFile = args[2];
    if (!city.data.RefreshUserObs()) {
        Error(CityUtf8FromWide(args[2]) + ": cannot write the user list");
        return 3;
    }
    return 0;
}

int CObsdbCommand::Apply(const std::vector<std::wstring>& args)
{
    CString strSystem = args[0];
    if (!CSafeFile::Exists(strSystem)) {
        Error(U8(strSystem) + ": no such system list");
        return 1;
    }
    std::string editsText;
    if (!CSafeFile::Read(args[2], editsText)) {
        Error(CityUtf8FromWide(args[2]) + ": cannot read the edits");
        return 1;
    }

    // Every line is read before anything is applied: a malformed file writes nothing.
    std::vector<std::pair<int, CObsdbEdit>> aEdit;
    std::string where = CityUtf8FromWide(args[2]) + ":";
    size_t nPos = 0;
    for (int nLine = 1; nPos < editsText.size(); ++nLine) {
        size_t nEnd = editsText.find('\n', nPos);
        if (nEnd == std::string::npos)
            nEnd = editsText.size();
        std::string line = editsText.substr(nPos, nEnd - nPos);
        nPos = nEnd + 1;
        if (line.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        CObsdbEdit edit;
        std::string strError;
        if (!edit.Parse(line, strError)) {
            Error(where + std::to_string(nLine) + ": " + strError);
            return 1;
        }
        aEdit.emplace_back(nLine, edit);
    }

    CityDialogData city;
    city.Load(strSystem, args[1]);
    if (city.log.IsLogDamaged())
        Error(CityUtf8FromWide(args[1]) + ": the change log could not be read whole; replayed as far as it reads");
    CCityEditor& editor = city.editor;
    ICityTree& tree = city.tree;

    for (auto& [nLine, edit] : aEdit) {
        std::string at = where + std::to_string(nLine) + ": ";
        if (edit.m_op == CObsdbEdit::Op::Reset) {
            editor.ResetCityList();
            continue;
        }
        HCITYITEM hItem = city.Find(edit.m_aAt);
        if (!hItem) {
            Error(at + "no item " + PathText(edit.m_aAt));
            return 1;
        }
        bool bFolder = tree.GetItemData(hItem) == CITY_FOLDER_DATA;
        bool bRoot = tree.GetParentItem(hItem) == nullptr;
        CString strName = edit.m_strName;
        // The place and folder editors trim the name and insist on one.
        strName.Trim();
        CString strRefusal;
        switch (edit.m_op) {
        case CObsdbEdit::Op::AddPlace:
        case CObsdbEdit::Op::EditPlace: {
            if (edit.m_op == CObsdbEdit::Op::EditPlace && bFolder) {
                Error(at + PathText(edit.m_aAt) + " is a folder, not a place");
                return 1;
            }
            CCityList place;
            place.m_dLon = edit.m_dLon;
            place.m_dLat = edit.m_dLat;
            place.m_dAlt = edit.m_dAlt;
            place.m_dTz = edit.m_dTz;
            place.m_nAltFlag = edit.m_nAltFlag;
            // The place editor does not close on values it rejects.
            strRefusal = PlaceEditorRefusal(strName, place);
            if (!strRefusal.IsEmpty())
                break;
            if (edit.m_op == CObsdbEdit::Op::AddPlace) {
                place.m_nType = edit.m_bHasType ? edit.m_nType : 0;
                editor.AddPlace(hItem, strName, place, strRefusal);
            } else {
                // Without a "type" the place keeps its kind, as the editor shows it.
                const CCityList& before = city.data.CityAt(static_cast<int>(tree.GetItemData(hItem)));
                place.m_nType = edit.m_bHasType ? edit.m_nType : before.m_nType;
                if (!edit.m_bHasAltFlag)
                    place.m_nAltFlag = CCityEditor::EditedAltFlag(before, place);
                editor.EditPlace(hItem, strName, place, strRefusal);
            }
            break;
        }
        case CObsdbEdit::Op::AddFolder:
        case CObsdbEdit::Op::EditFolder:
            if (edit.m_op == CObsdbEdit::Op::EditFolder && (!bFolder || bRoot)) {
                Error(at + PathText(edit.m_aAt) + (bRoot ? " is the root folder, which cannot be edited"
                                                         : " is a place, not a folder"));
                return 1;
            }
            if (strName.IsEmpty()) {
                strRefusal = CCityEditor::EmptyFolderNameMessage();
                break;
            }
            if (edit.m_op == CObsdbEdit::Op::AddFolder)
                editor.AddFolder(hItem, strName, strRefusal);
            else
                editor.EditFolder(hItem, strName, strRefusal);
            break;
        case CObsdbEdit::Op::Delete:
            if (bRoot) {
                Error(at + PathText(edit.m_aAt) + " is the root folder, which cannot be deleted");
                return 1;
            }
            editor.DeleteItem(hItem);
            break;
        case CObsdbEdit::Op::Move: {
            HCITYITEM hTarget = city.Find(edit.m_aTo);
            if (!hTarget) {
                Error(at + "no item " + PathText(edit.m_aTo));
                return 1;
            }
            // The mode answers the question the drop asks; a drop that asks nothing (onto the
            // item itself, the root or its own subtree) moves nothing whatever the mode.
            bool bAskedWithoutMode = false;
            CObsdbEdit::Mode mode = edit.m_mode;
            auto askMode = [mode, &bAskedWithoutMode](const CString&) {
                if (mode == CObsdbEdit::Mode::Unset) {
                    bAskedWithoutMode = true;
                    return -1;
                }
                return mode == CObsdbEdit::Mode::Into ? 1 : 0;
            };
            editor.EndOfDrag(TRUE, hItem, hTarget, askMode, strRefusal);
            if (bAskedWithoutMode) {
                Error(at + "a folder dropped on a folder needs \"mode\": \"behind\" or \"into\"");
                return 1;
            }
            break;
        }
        case CObsdbEdit::Op::Reset:
            break;
        }
        if (!strRefusal.IsEmpty())
            m_err += U8(strRefusal) + "\n";
    }

    // What OK does: save only a modified list that may be edited.
    if (!editor.m_bModified) {
        Error("nothing changed; nothing written");
        return 0;
    }
    if (!editor.m_bEditable) {
        Error(U8(strSystem) + " is read-only; nothing written");
        return 0;
    }
    city.data.m_strUserObsFile = args[3];
    city.data.m_strUserJsonFile = args[4];
    if (!city.log.SaveCityList()) {
        Error("cannot write " + CityUtf8FromWide(args[3]) + " or " + CityUtf8FromWide(args[4])
              + "; an old file is left as it was");
        return 3;
    }
    return 0;
}

int CObsdbCommand::Dump(const std::vector<std::wstring>& args)
{
    CString strSystem = args[0];
    if (!CSafeFile::Exists(strSystem)) {
        Error(U8(strSystem) + ": no such system list");
        return 1;
    }
    CityDialogData city;
    city.Load(strSystem, args.size() > 1 ? CString(args[1]) : CString());
    if (city.log.IsLogDamaged())
        Error(CityUtf8FromWide(args[1]) + ": the change log could not be read whole; replayed as far as it reads");
    m_out += CityDumpTree(city.data);
    return 0;
}
