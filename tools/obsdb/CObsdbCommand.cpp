#include "CObsdbCommand.h"

#include "CObsdbEdit.h"

#include <citydb/CCitySession.h>
#include <citydb/CMemTree.h>
#include <citydb/PlaceCheck.h>
#include <citydb/CSafeFile.h>
#include <citydb/CityFind.h>
#include <citydb/CityLogText.h>
#include <citydb/CityText.h>
#include <citydb/CoordFields.h>

#include <afx/AnsiCodePage.h>

#include <cmath>
#include <cstdlib>

namespace {

std::string U8(const CString& str)
{
    return CityUtf8FromWide(str.wstr());
}

// The place editor's fields as they would show these values. Values beyond 360 degrees (or a
// day of hours) have no split; their degrees (hours) alone already fail the range checks.
void SetAngleFields(double dValue, int& nDeg, int& nMin, double& dSec)
{
    double dAbs = std::fabs(dValue);
    if (dAbs > 360.0) {
        nDeg = CityTruncToInt(dAbs);
        nMin = 0;
        dSec = 0.0;
        return;
    }
    CAngleParts parts = SplitAngle(dAbs, 360);
    nDeg = parts.nDeg;
    nMin = parts.nMin;
    dSec = parts.dSec;
}

CCoordFields PlaceEditorFields(const CCityList& place)
{
    CCoordFields fields;
    SetAngleFields(place.m_dLon, fields.nLngDeg, fields.nLngMin, fields.dLngSec);
    SetAngleFields(place.m_dLat, fields.nLatDeg, fields.nLatMin, fields.dLatSec);
    fields.dAlt = place.m_dAlt;
    if (std::fabs(place.m_dTz) > 24.0) {
        fields.nTzHour = CityTruncToInt(std::fabs(place.m_dTz));
    } else {
        const CTzParts tz = SplitTimeZone(place.m_dTz);
        fields.nTzHour = tz.nHour;
        fields.nTzMin = tz.nMin;
    }
    return fields;
}

// The warnings of a load that could not replay the whole log.
std::string LoadWarning(const CLocationLog& log, const std::wstring& strLog)
{
    if (log.IsLogDamaged())
        return CityUtf8FromWide(strLog) + ": the change log could not be read whole; replayed as far as it reads";
    if (log.IsLogUnreadable())
        return CityUtf8FromWide(strLog) + ": the change log cannot be read; nothing of it replayed, and it is never replaced";
    return std::string();
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

bool CObsdbCommand::HasSystemList(const CString& strSystem)
{
    if (CSafeFile::Exists(strSystem))
        return true;
    Error(U8(strSystem) + ": no such system list");
    return false;
}

void CObsdbCommand::Load(CCitySession& city, const CString& strSystem, const std::wstring& strLog)
{
    city.SetFiles(strSystem, CString(), strLog);
    city.Load();
    std::string warning = LoadWarning(city.m_log, strLog);
    if (!warning.empty())
        Error(warning);
}

void CObsdbCommand::Error(const std::string& strText)
{
    m_err += "obsdb: " + strText + "\n";
}

int CObsdbCommand::Usage(const std::string& strWhy)
{
    Error(strWhy);
    m_err += "usage: obsdb [--codepage N] rebuild SYSTEM LOG OUT_LIST\n"
             "       obsdb [--codepage N] apply SYSTEM LOG EDITS OUT_LIST OUT_LOG\n"
             "       obsdb [--codepage N] dump SYSTEM [LOG]\n"
             "       obsdb [--codepage N] find SYSTEM [LOG] TEXT\n";
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
    if (cmd == L"find")
        return args.size() == 2 || args.size() == 3 ? Find(args) : Usage("find takes SYSTEM [LOG] TEXT");
    if (cmd == L"dump")
        return args.size() == 1 || args.size() == 2 ? Dump(args) : Usage("dump takes SYSTEM [LOG]");
    return Usage("unknown command \"" + CityUtf8FromWide(cmd) + "\"");
}

int CObsdbCommand::Rebuild(const std::vector<std::wstring>& args)
{
    CString strSystem = args[0];
    if (!HasSystemList(strSystem))
        return 1;
    CMemTree tree;
    CCitySession city(tree);
    Load(city, strSystem, args[1]);
    city.m_data.m_strUserObsFile = args[2];
    if (!city.m_data.RefreshUserObs()) {
        Error(CityUtf8FromWide(args[2]) + ": cannot write the user list");
        return 3;
    }
    return 0;
}

int CObsdbCommand::Apply(const std::vector<std::wstring>& args)
{
    CString strSystem = args[0];
    if (!HasSystemList(strSystem))
        return 1;
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

    CMemTree tree;
    CCitySession city(tree);
    Load(city, strSystem, args[1]);
    CCityEditor& editor = city.m_editor;

    for (auto& [nLine, edit] : aEdit) {
        std::string at = where + std::to_string(nLine) + ": ";
        if (edit.m_op == CObsdbEdit::Op::Reset) {
            city.Reset();
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
            strRefusal = CheckPlace(strName, PlaceEditorFields(place));
            if (!strRefusal.IsEmpty())
                break;
            if (edit.m_op == CObsdbEdit::Op::AddPlace) {
                place.m_nType = edit.m_bHasType ? edit.m_nType : 0;
                editor.AddPlace(hItem, strName, place, strRefusal);
            } else {
                // Without a "type" the place keeps its kind, as the editor shows it.
                const CCityList& before = city.m_data.CityAt(static_cast<int>(tree.GetItemData(hItem)));
                place.m_nType = edit.m_bHasType ? edit.m_nType : before.m_nType;
                if (!edit.m_bHasAltFlag) {
                    // The editor's fields after: a west or south of 0 is the user's choice, -0.
                    CCoordFields after = PlaceFields(place);
                    after.nEastWest = std::signbit(place.m_dLon) ? 1 : 0;
                    after.nNorthSouth = std::signbit(place.m_dLat) ? 1 : 0;
                    place.m_nAltFlag = CCityEditor::EditedAltFlag(PlaceFields(before), after);
                }
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
            strRefusal = CCityEditor::CheckFolderName(strName);
            if (!strRefusal.IsEmpty())
                break;
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

    // What OK does.
    if (!city.IsSaveDue()) {
        Error(editor.m_bModified ? U8(strSystem) + " is read-only; nothing written" : "nothing changed; nothing written");
        return 0;
    }
    city.m_data.m_strUserObsFile = args[3];
    city.m_data.m_strUserJsonFile = args[4];
    CLocationLog::SaveResult saved = city.Save();
    if (!saved) {
        Error("cannot write " + U8(saved.strUnwritten) + "; "
              + (saved.bLogWritten ? "the change log " + U8(city.m_data.m_strUserJsonFile)
                                         + " was written, and the list is rebuilt from it at the next start"
                                   : std::string("nothing written")));
        return 3;
    }
    return 0;
}

int CObsdbCommand::Dump(const std::vector<std::wstring>& args)
{
    CString strSystem = args[0];
    if (!HasSystemList(strSystem))
        return 1;
    CMemTree tree;
    CCitySession city(tree);
    Load(city, strSystem, args.size() > 1 ? args[1] : std::wstring());
    m_out += CityDumpTree(city.m_data);
    return 0;
}

int CObsdbCommand::Find(const std::vector<std::wstring>& args)
{
    CString strSystem = args[0];
    if (!HasSystemList(strSystem))
        return 1;
    CMemTree tree;
    CCitySession city(tree);
    Load(city, strSystem, args.size() > 2 ? args[1] : std::wstring());
    const CString strText = args.back();
    // Every match once, in tree order: the find wraps, so it ends where it began.
    HCITYITEM hFirst = CityFindNext(tree, nullptr, strText);
    for (HCITYITEM h = hFirst; h; h = CityFindNext(tree, h, strText)) {
        std::wstring path;
        for (HCITYITEM p = h; p; p = tree.GetParentItem(p))
            path = tree.GetItemText(p).wstr() + (path.empty() ? L"" : L"/") + path;
        const std::intptr_t nData = tree.GetItemData(h);
        m_out += CityUtf8FromWide(path)
            + (nData == CITY_FOLDER_DATA ? "/" : "\t" + U8(city.m_data.GetLocationData(static_cast<int>(nData)))) + "\n";
        if (CityFindNext(tree, h, strText) == hFirst)
            break;
    }
    if (!hFirst) {
        Error("no name holds \"" + U8(strText) + "\"");
        return 1;
    }
    return 0;
}
