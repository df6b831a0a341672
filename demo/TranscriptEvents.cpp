#include "TranscriptEvents.h"

#include <host/CCorZelMap.h>

namespace {

std::string ArgJson(const StandInMapArg& a, DISPID id, const std::vector<int>& flags)
{
    CJsonLine j;
    switch (a.vt) {
    case VT_R8: j.Str("type", L"R8").Num("value", a.d); break;
    case VT_BYREF | VT_R8: j.Str("type", L"PR8").Num("value", a.d); break;
    case VT_BOOL: j.Str("type", L"BOOL").Bool("value", a.n != 0); break;
    case VT_BSTR: j.Str("type", L"BSTR").Str("value", a.s); break;
    case VT_I4: j.Str("type", L"I4").Int("value", a.n); break;
    case VT_UI4: j.Str("type", L"UI4").Int("value", a.n); break;
    case VT_UI8:
        j.Str("type", L"UI8");
        if (id == CCorZelMap::DISPID_SET_LANDMARK_FLAGS) {
            std::string list = "[";
            for (size_t i = 0; i < flags.size(); ++i)
                list += (i ? "," : "") + std::to_string(flags[i]);
            j.Raw("flags", list + "]");
        } else {
            j.Int("value", a.n);
        }
        break;
    default: j.Int("type", a.vt); break;
    }
    return j.Text();
}

}  // namespace

CJsonLine EngineEvent(const CString& command)
{
    return CJsonLine().Str("event", L"engine").Str("command", command);
}

CJsonLine MapEvent(const StandInMapCall& call, const std::vector<int>& landmarkFlags)
{
    std::string args = "[";
    for (size_t i = 0; i < call.args.size(); ++i)
        args += (i ? "," : "") + ArgJson(call.args[i], call.id, landmarkFlags);
    return CJsonLine().Str("event", L"map").Int("id", call.id).Raw("args", args + "]");
}

CJsonLine ObserverEvent(const CGeoDateObs::Call& call)
{
    std::string args = "[";
    for (size_t i = 0; i < call.args.size(); ++i)
        args += (i ? "," : "") + CJsonLine::Number(call.args[i]);
    return CJsonLine().Str("event", L"observer").Str("call", call.strName).Raw("args", args + "]");
}

CJsonLine HostMessageEvent(UINT message, WPARAM wParam, LPARAM lParam)
{
    return CJsonLine()
        .Str("event", L"host-message")
        .Int("message", message)
        .Int("wParam", static_cast<long long>(wParam))
        .Int("lParam", static_cast<long long>(lParam));
}
