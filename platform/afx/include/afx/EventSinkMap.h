#pragma once

#include <afx/afxdefs.h>
#include <afx/OleControl.h>

#include <cstddef>
#include <string>
#include <type_traits>
#include <utility>

class CCmdTarget;

// Calls one event handler with the arguments unpacked from DISPPARAMS (rgvarg holds them in
// reverse order). S_OK, DISP_E_BADPARAMCOUNT or DISP_E_TYPEMISMATCH.
using AFX_PEVENTTHUNK = HRESULT (*)(CCmdTarget* target, DISPPARAMS* params);

struct AFX_EVENTSINKMAP_ENTRY {
    UINT nCtlID;           // control id of the event source
    DISPID dispid;         // event dispatch id
    const char* pvtsParams;  // VTS_ string of the arguments, checked against the handler
    AFX_PEVENTTHUNK pfn;   // null ends the table
};

struct AFX_EVENTSINKMAP {
    const AFX_EVENTSINKMAP* (*pfnGetBaseMap)();
    const AFX_EVENTSINKMAP_ENTRY* lpEntries;
};

namespace afx_detail {

// One event argument, converted from its VARIANT (by value or by reference) to the handler's
// parameter, a double: the host's controls fire their events with VTS_R8 arguments.
AFX_API HRESULT EventArgToDouble(const VARIANT& in, double& out);

template <typename C, typename R, typename... Args, std::size_t... I>
HRESULT InvokeEvent(C* target, R (C::*pmf)(Args...), DISPPARAMS* params,
                    std::index_sequence<I...>)
{
    static_assert((std::is_same<Args, double>::value && ...), "ON_EVENT: event handlers take doubles");
    constexpr std::size_t n = sizeof...(Args);
    if (!params || params->cArgs != n) return DISP_E_BADPARAMCOUNT;
    double args[n + 1] = {};
    HRESULT hr = S_OK;
    // Argument i is rgvarg[n - 1 - i].
    for (std::size_t i = 0; i < n && SUCCEEDED(hr); ++i)
        hr = EventArgToDouble(params->rgvarg[n - 1 - i], args[i]);
    if (FAILED(hr)) return hr;
    (target->*pmf)(args[I]...);
    return S_OK;
}

template <typename T>
struct EventHandler;

template <typename C, typename R, typename... Args>
struct EventHandler<R (C::*)(Args...)> {
    static constexpr std::size_t arity = sizeof...(Args);
    template <R (C::*Pmf)(Args...)>
    static HRESULT Call(CCmdTarget* target, DISPPARAMS* params)
    {
        return InvokeEvent(static_cast<C*>(target), Pmf, params,
                           std::index_sequence_for<Args...>{});
    }
};

template <std::size_t VtsCount, std::size_t Arity>
constexpr const char* CheckVts(const char* vts)
{
    static_assert(VtsCount == Arity,
                  "ON_EVENT: the VTS string and the handler's parameters differ in number");
    return vts;
}

}  // namespace afx_detail

#define DECLARE_EVENTSINK_MAP()                                         \
protected:                                                              \
    static const AFX_EVENTSINKMAP* GetThisEventSinkMap();               \
    const AFX_EVENTSINKMAP* GetEventSinkMap() const override;

#define BEGIN_EVENTSINK_MAP(theClass, baseClass)                                              \
    const AFX_EVENTSINKMAP* theClass::GetEventSinkMap() const { return GetThisEventSinkMap(); } \
    const AFX_EVENTSINKMAP* theClass::GetThisEventSinkMap()                                   \
    {                                                                                         \
        typedef theClass ThisClass;                                                           \
        typedef baseClass TheBaseClass;                                                       \
        static const AFX_EVENTSINKMAP_ENTRY _eventsinkEntries[] = {

#define END_EVENTSINK_MAP()                                                                   \
            { 0, 0, nullptr, nullptr } };                                                     \
        static_assert(std::is_base_of<TheBaseClass, ThisClass>::value,                       \
                      "the event sink map's base class must be a base of the class");         \
        static const AFX_EVENTSINKMAP eventsinkMap = { &TheBaseClass::GetThisEventSinkMap,    \
                                                       &_eventsinkEntries[0] };               \
        return &eventsinkMap;                                                                 \
    }

// ON_EVENT(CDlgObs, 5002, 8, OnSetObsPosition, VTS_R8 VTS_R8): the handler's parameters are
// converted from the event's arguments; the VTS string must have one entry per parameter.
#define ON_EVENT(theClass, id, dispid, pfnHandler, vtsParams)                                 \
    { static_cast<UINT>(id), static_cast<DISPID>(dispid),                                     \
      afx_detail::CheckVts<std::char_traits<char>::length(vtsParams),                                  \
                           afx_detail::EventHandler<decltype(&theClass::pfnHandler)>::arity>(vtsParams), \
      &afx_detail::EventHandler<decltype(&theClass::pfnHandler)>::Call<&theClass::pfnHandler> },
