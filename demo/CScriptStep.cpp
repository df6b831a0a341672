#include "CScriptStep.h"

#include <citydb/Utf8Text.h>

#include <windows.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <set>

namespace {

CString Wide(const std::string& utf8)
{
    return CString(CityWideFromUtf8(utf8));
}

bool IsInt(const picojson::value& v)
{
    return v.is<double>() && std::floor(v.get<double>()) == v.get<double>()
           && std::fabs(v.get<double>()) < 1e9;
}

// What each step needs: key, then its kind ('n' number, 'i' integer, 's' text, 'p' array of
// texts, 'd' array of integers, 'o' object); a '?' before the kind marks it optional.
const std::map<std::string, std::vector<std::pair<const char*, const char*>>>& Grammar()
{
    static const std::map<std::string, std::vector<std::pair<const char*, const char*>>> g = {
        {"type", {{"id", "i"}, {"text", "s"}}},
        {"keys", {{"id", "i"}, {"text", "s"}}},
        {"key", {{"id", "i"}, {"key", "s"}}},
        {"click", {{"id", "i"}}},
        {"spin", {{"id", "i"}, {"delta", "i"}}},
        {"slide", {{"id", "i"}, {"pos", "i"}}},
        {"select", {{"path", "p"}}},
        {"dblclick", {{"path", "p"}}},
        {"drag", {{"path", "p"}, {"to", "p"}, {"button", "?s"}, {"release", "?s"}}},
        {"answer", {{"button", "s"}}},
        {"dialog", {{"set", "?o"}, {"press", "s"}}},
        {"wheel", {{"delta", "i"}, {"keys", "?p"}}},
        {"map-click", {{"lon", "n"}, {"lat", "n"}}},
        {"map-mag", {{"mag", "n"}}},
        {"observer", {{"set", "o"}}},
        {"tree", {}},
        {"read", {{"ids", "d"}}},
        {"registry", {{"key", "s"}}},
        {"shot", {{"name", "s"}}},
        {"close", {}},
    };
    return g;
}

bool HasKind(const picojson::value& v, char kind)
{
    auto all = [&](auto pred) {
        if (!v.is<picojson::array>())
            return false;
        for (const picojson::value& e : v.get<picojson::array>())
            if (!pred(e))
                return false;
        return true;
    };
    switch (kind) {
    case 'n': return v.is<double>();
    case 'i': return IsInt(v);
    case 's': return v.is<std::string>();
    case 'o': return v.is<picojson::object>();
    case 'p': return all([](const picojson::value& e) { return e.is<std::string>(); });
    case 'd': return all([](const picojson::value& e) { return IsInt(e); });
    default: return false;
    }
}

const char* KindName(char kind)
{
    switch (kind) {
    case 'n': return "a number";
    case 'i': return "a whole number";
    case 's': return "a text";
    case 'o': return "an object";
    case 'p': return "an array of texts";
    default: return "an array of whole numbers";
    }
}

// The checks of a step's values beyond their kinds; empty when they are good.
CString CheckValues(const std::string& kind, const picojson::object& o)
{
    if (kind == "answer" && !CScriptStep::ButtonIds().count(o.at("button").get<std::string>()))
        return L"\"button\" is none of OK, Cancel, Abort, Retry, Ignore, Yes, No";
    unsigned vk = 0;
    bool bCtrl = false, bShift = false;
    if (kind == "key" && !CScriptStep::ParseKey(o.at("key").get<std::string>(), vk, bCtrl, bShift))
        return L"\"key\" is no letter or F1 to F12, with \"ctrl+\" or \"shift+\" before it";
    if (kind == "drag" && o.count("button") && o.at("button").get<std::string>() != "right")
        return L"\"button\" of a drag can only be \"right\"";
    if (kind == "drag" && o.count("release") && o.at("release").get<std::string>() != "outside")
        return L"\"release\" of a drag can only be \"outside\"";
    if (kind == "wheel" && o.count("keys"))
        for (const picojson::value& k : o.at("keys").get<picojson::array>())
            if (k.get<std::string>() != "ctrl" && k.get<std::string>() != "shift")
                return L"a wheel key is neither \"ctrl\" nor \"shift\"";
    if (kind == "dialog") {
        const std::string press = o.at("press").get<std::string>();
        if (press != "OK" && press != "Cancel" && press.find_first_not_of("0123456789") != std::string::npos)
            return L"\"press\" is neither OK, Cancel nor a control id";
        if (o.count("set"))
            for (const auto& [id, v] : o.at("set").get<picojson::object>())
                if (id.empty() || id.find_first_not_of("0123456789") != std::string::npos
                    || !v.is<std::string>())
                    return L"\"set\" must map control ids to texts";
    }
    if (kind == "observer") {
        static const std::set<std::string> keys = {"body", "timesystem", "lon", "lat", "alt", "tz"};
        for (const auto& [key, v] : o.at("set").get<picojson::object>()) {
            if (!keys.count(key))
                return L"the observer has no \"" + Wide(key) + L"\"";
            if (!v.is<double>())
                return L"\"" + Wide(key) + L"\" is not a number";
        }
        const picojson::object& set = o.at("set").get<picojson::object>();
        if (set.count("body") && (!IsInt(set.at("body")) || set.at("body").get<double>() < 0
                                  || set.at("body").get<double>() > 14))
            return L"\"body\" is not a body index 0 to 14";
        if (set.count("timesystem") && (!IsInt(set.at("timesystem"))
                                        || set.at("timesystem").get<double>() < 0
                                        || set.at("timesystem").get<double>() > 2))
            return L"\"timesystem\" is not 0, 1 or 2";
    }
    return CString();
}

}  // namespace

const std::map<std::string, int>& CScriptStep::ButtonIds()
{
    static const std::map<std::string, int> ids = {
        {"OK", IDOK},       {"Cancel", IDCANCEL}, {"Abort", IDABORT}, {"Retry", IDRETRY},
        {"Ignore", IDIGNORE}, {"Yes", IDYES},     {"No", IDNO}};
    return ids;
}

CString CScriptStep::Check(const picojson::value& step)
{
    if (!step.is<picojson::object>())
        return L"a step is a JSON object";
    const picojson::object& o = step.get<picojson::object>();
    const auto d = o.find("do");
    if (d == o.end() || !d->second.is<std::string>())
        return L"no \"do\" naming the step";
    const auto g = Grammar().find(d->second.get<std::string>());
    if (g == Grammar().end())
        return L"no step \"" + Wide(d->second.get<std::string>()) + L"\"";
    std::set<std::string> known = {"do"};
    for (const auto& [key, shape] : g->second) {
        known.insert(key);
        const bool optional = shape[0] == '?';
        const char kind = shape[optional ? 1 : 0];
        const auto it = o.find(key);
        if (it == o.end()) {
            if (!optional)
                return L"\"" + Wide(key) + L"\" is missing";
            continue;
        }
        if (!HasKind(it->second, kind))
            return L"\"" + Wide(key) + L"\" is not " + Wide(KindName(kind));
    }
    for (const auto& [key, v] : o)
        if (!known.count(key))
            return L"\"" + Wide(key) + L"\" does not belong to a \"" + Wide(g->first) + L"\" step";
    return CheckValues(g->first, o);
}

bool CScriptStep::ReadAll(std::string text, std::vector<CScriptStep>& steps, int& line, CString& why)
{
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        text.erase(0, 3);
    size_t pos = 0;
    while (pos < text.size()) {
        ++line;
        size_t end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        std::string one = text.substr(pos, end - pos);
        pos = end + 1;
        if (!one.empty() && one.back() == '\r')
            one.pop_back();
        if (one.find_first_not_of(" \t") == std::string::npos)
            continue;
        picojson::value v;
        const std::string err = picojson::parse(v, one);
        why = err.empty() ? Check(v) : L"not JSON: " + Wide(err);
        if (!why.IsEmpty())
            return false;
        CScriptStep s{line, v.get<picojson::object>(), v.get("do").get<std::string>()};
        steps.push_back(std::move(s));
    }
    return true;
}

bool CScriptStep::ParseKey(const std::string& name, unsigned& vk, bool& bCtrl, bool& bShift)
{
    std::string rest = name;
    bCtrl = bShift = false;
    for (auto [prefix, pHeld] : {std::pair{"ctrl+", &bCtrl}, {"shift+", &bShift}}) {
        if (rest.rfind(prefix, 0) == 0) {
            *pHeld = true;
            rest.erase(0, std::string(prefix).size());
        }
    }
    if (rest.size() == 1 && std::isalpha(static_cast<unsigned char>(rest[0]))) {
        vk = static_cast<unsigned>(std::toupper(static_cast<unsigned char>(rest[0])));
        return true;
    }
    const int n = rest.size() >= 2 && rest.size() <= 3 && (rest[0] == 'f' || rest[0] == 'F')
                          && rest.find_first_not_of("0123456789", 1) == std::string::npos
                      ? std::atoi(rest.c_str() + 1)
                      : 0;
    vk = 0x70 + n - 1;  // VK_F1 onwards
    return n >= 1 && n <= 12;
}
