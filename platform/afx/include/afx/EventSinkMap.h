#pragma once

#include <afx/afxdefs.h>
#include <afx/CString.h>
#include <afx/OleControl.h>

#include <cstddef>
#include <tuple>
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

// One event argument, converted from its VARIANT to the handler's parameter type.
template <typename T, typename = void>
struct EventArg;

AFX_API HRESULT EventArgToVariant(const VARIANT& in, VARTYPE vt, VARIANT& out);

template <typename T>
struct EventArg<T, std::enable_if_t<std::is_arithmetic<T>::value>> {
    T value{};
    HRESULT Load(const VARIANT& v)
    {
        VARIANT tmp;
        VariantInit(&tmp);
        HRESULT hr;
        if (std::is_floating_point<T>::value) {
            hr = EventArgToVariant(v, VT_R8, tmp);
            if (SUCCEEDED(hr)) value = static_cast<T>(tmp.dblVal);
        } else if (std::is_same<T, bool>::value) {
            hr = EventArgToVariant(v, VT_BOOL, tmp);
            if (SUCCEEDED(hr)) value = static_cast<T>(tmp.boolVal != VARIANT_FALSE);
        } else if (std::is_unsigned<T>::value) {
            hr = EventArgToVariant(v, VT_UI8, tmp);
            if (SUCCEEDED(hr)) value = static_cast<T>(tmp.ullVal);
        } else {
            hr = EventArgToVariant(v, VT_I8, tmp);
            if (SUCCEEDED(hr)) value = static_cast<T>(tmp.llVal);
        }
        VariantClear(&tmp);
        return hr;
    }
    T Get() const { return value; }
};

// By-reference doubles (VTS_PR8): the handler may write through the pointer.
template <>
struct EventArg<double*> {
    double* value = nullptr;
    HRESULT Load(const VARIANT& v)
    {
        if (v.vt != (VT_BYREF | VT_R8)) return DISP_E_TYPEMISMATCH;
        value = v.pdblVal;
        return S_OK;
    }
    double* Get() const { return value; }
};

template <>
struct EventArg<long*> {
    long* value = nullptr;
    HRESULT Load(const VARIANT& v)
    {
        if (v.vt != (VT_BYREF | VT_I4)) return DISP_E_TYPEMISMATCH;
        value = reinterpret_cast<long*>(v.plVal);
        return S_OK;
    }
    long* Get() const { return value; }
};

// Strings: the handler gets the text (LPCTSTR valid for the call, or a CString).
template <typename T>
struct EventArg<T, std::enable_if_t<std::is_same<T, LPCTSTR>::value ||
                                    std::is_same<T, BSTR>::value ||
                                    std::is_same<std::decay_t<T>, CString>::value>> {
    CString value;
    BSTR raw = nullptr;
    HRESULT Load(const VARIANT& v)
    {
        VARIANT tmp;
        VariantInit(&tmp);
        HRESULT hr = EventArgToVariant(v, VT_BSTR, tmp);
        if (SUCCEEDED(hr)) value = CString(tmp.bstrVal ? tmp.bstrVal : L"",
                                           tmp.bstrVal ? static_cast<int>(SysStringLen(tmp.bstrVal)) : 0);
        VariantClear(&tmp);
        if (SUCCEEDED(hr) && v.vt == VT_BSTR) raw = v.bstrVal;
        return hr;
    }
    T Get() const
    {
        if constexpr (std::is_same<T, BSTR>::value) return raw;
        else if constexpr (std::is_same<T, LPCTSTR>::value) return value.GetString();
        else return value;
    }
};

template <typename C, typename R, typename... Args, std::size_t... I>
HRESULT InvokeEvent(C* target, R (C::*pmf)(Args...), DISPPARAMS* params,
                    std::index_sequence<I...>)
{
    constexpr std::size_t n = sizeof...(Args);
    if (!params || params->cArgs != n) return DISP_E_BADPARAMCOUNT;
    std::tuple<EventArg<std::decay_t<Args>>...> args;
    HRESULT hr = S_OK;
    // Argument i is rgvarg[n - 1 - i].
    ((SUCCEEDED(hr) ? (hr = std::get<I>(args).Load(params->rgvarg[n - 1 - I])) : hr), ...);
    if (FAILED(hr)) return hr;
    (target->*pmf)(std::get<I>(args).Get()...);
    return S_OK;
}

template <typename T>
struct EventHandler;

template <typename C, typename R, typename... Args>
struct EventHandler<R (C::*)(Args...)> {
    using Class = C;
    static constexpr std::size_t arity = sizeof...(Args);
    template <R (C::*Pmf)(Args...)>
    static HRESULT Call(CCmdTarget* target, DISPPARAMS* params)
    {
        return InvokeEvent(static_cast<C*>(target), Pmf, params,
                           std::index_sequence_for<Args...>{});
    }
};

constexpr std::size_t VtsLength(const char* vts)
{
    std::size_t n = 0;
    while (vts[n] != '\0') ++n;
    return n;
}

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
      afx_detail::CheckVts<afx_detail::VtsLength(vtsParams),                                  \
                           afx_detail::EventHandler<decltype(&theClass::pfnHandler)>::arity>(vtsParams), \
      &afx_detail::EventHandler<decltype(&theClass::pfnHandler)>::Call<&theClass::pfnHandler> },
