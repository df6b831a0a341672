#include "CObsdbEdit.h"

#include <citydb/CLocationLog.h>
#include <citydb/CityLogText.h>

#include <climits>
#include <initializer_list>
#include <cmath>

namespace {

bool ReadNames(const picojson::object& o, const char* pszKey, std::vector<CString>& aOut, std::string& strError)
{
    auto it = o.find(pszKey);
    if (it == o.end() || !it->second.is<picojson::array>()) {
        strError = std::string("\"") + pszKey + "\" must be an array of names";
        return false;
    }
    const picojson::array& a = it->second.get<picojson::array>();
    if (a.empty()) {
        strError = std::string("\"") + pszKey + "\" names no item";
        return false;
    }
    for (const picojson::value& v : a) {
        if (!v.is<std::string>()) {
            strError = std::string("\"") + pszKey + "\" must hold names (strings) only";
            return false;
        }
        aOut.push_back(CString(CityWideFromUtf8(v.get<std::string>())));
    }
    return true;
}

bool ReadNumber(const picojson::object& o, const char* pszKey, double& dOut, std::string& strError)
{
    auto it = o.find(pszKey);
    if (it == o.end() || !it->second.is<double>() || !std::isfinite(it->second.get<double>())) {
        strError = std::string("\"") + pszKey + "\" must be a number";
        return false;
    }
    dOut = it->second.get<double>();
    return true;
}

// Absent: false with no error.
bool ReadInt(const picojson::object& o, const char* pszKey, int& nOut, std::string& strError)
{
    auto it = o.find(pszKey);
    if (it == o.end())
        return false;
    double d = it->second.is<double>() ? it->second.get<double>() : 0.5;
    if (!it->second.is<double>() || d != std::floor(d) || d < INT_MIN || d > INT_MAX) {
        strError = std::string("\"") + pszKey + "\" must be an integer";
        return false;
    }
    nOut = static_cast<int>(d);
    return true;
}

bool ReadName(const picojson::object& o, CString& strOut, std::string& strError)
{
    auto it = o.find("name");
    if (it == o.end() || !it->second.is<std::string>()) {
        strError = "\"name\" must be a string";
        return false;
    }
    strOut = CString(CityWideFromUtf8(it->second.get<std::string>()));
    return true;
}

// A key the op does not read is most likely a misspelt one whose value would be lost.
bool OnlyKeys(const picojson::object& o, std::initializer_list<const char*> keys, std::string& strError)
{
    for (const auto& entry : o) {
        bool bKnown = false;
        for (const char* pszKey : keys)
            bKnown = bKnown || entry.first == pszKey;
        if (!bKnown) {
            strError = "unknown key \"" + entry.first + "\"";
            return false;
        }
    }
    return true;
}

}  // namespace

bool CObsdbEdit::Parse(const std::string& line, std::string& strError)
{
    strError.clear();
    picojson::value v;
    if (!CLocationLog::ParseLogText(line, v) || !v.is<picojson::object>()) {
        strError = "not a JSON object";
        return false;
    }
    const picojson::object& o = v.get<picojson::object>();
    auto itOp = o.find("op");
    if (itOp == o.end() || !itOp->second.is<std::string>()) {
        strError = "\"op\" must be a string";
        return false;
    }
    const std::string& op = itOp->second.get<std::string>();
    if (op == "reset") {
        m_op = Op::Reset;
        return OnlyKeys(o, {"op"}, strError);
    }
    if (!ReadNames(o, "at", m_aAt, strError))
        return false;
    if (op == "add-place" || op == "edit-place") {
        m_op = op == "add-place" ? Op::AddPlace : Op::EditPlace;
        if (m_op == Op::AddPlace ? !OnlyKeys(o, {"op", "at", "name", "lon", "lat", "alt", "tz", "type"}, strError)
                                 : !OnlyKeys(o, {"op", "at", "name", "lon", "lat", "alt", "tz", "type", "altflag"}, strError))
            return false;
        if (!ReadName(o, m_strName, strError) || !ReadNumber(o, "lon", m_dLon, strError)
            || !ReadNumber(o, "lat", m_dLat, strError) || !ReadNumber(o, "alt", m_dAlt, strError)
            || !ReadNumber(o, "tz", m_dTz, strError))
            return false;
        m_bHasType = ReadInt(o, "type", m_nType, strError);
        if (!strError.empty())
            return false;
        if (m_op == Op::EditPlace) {
            m_bHasAltFlag = ReadInt(o, "altflag", m_nAltFlag, strError);
            if (!strError.empty())
                return false;
        }
        return true;
    }
    if (op == "add-folder" || op == "edit-folder") {
        m_op = op == "add-folder" ? Op::AddFolder : Op::EditFolder;
        return OnlyKeys(o, {"op", "at", "name"}, strError) && ReadName(o, m_strName, strError);
    }
    if (op == "delete") {
        m_op = Op::Delete;
        return OnlyKeys(o, {"op", "at"}, strError);
    }
    if (op == "move") {
        m_op = Op::Move;
        if (!OnlyKeys(o, {"op", "at", "to", "mode"}, strError))
            return false;
        if (!ReadNames(o, "to", m_aTo, strError))
            return false;
        auto it = o.find("mode");
        if (it != o.end()) {
            if (it->second.is<std::string>() && it->second.get<std::string>() == "behind") {
                m_mode = Mode::Behind;
            } else if (it->second.is<std::string>() && it->second.get<std::string>() == "into") {
                m_mode = Mode::Into;
            } else {
                strError = "\"mode\" must be \"behind\" or \"into\"";
                return false;
            }
        }
        return true;
    }
    strError = "unknown op \"" + op + "\"";
    return false;
}
