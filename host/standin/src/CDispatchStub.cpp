#include <standin/CDispatchStub.h>

HRESULT STDMETHODCALLTYPE CDispatchStub::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
        *ppv = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE CDispatchStub::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_nRef));
}

ULONG STDMETHODCALLTYPE CDispatchStub::Release()
{
    const LONG n = InterlockedDecrement(&m_nRef);
    if (n == 0)
        OnFinalRelease();
    return static_cast<ULONG>(n < 0 ? 0 : n);
}

HRESULT STDMETHODCALLTYPE CDispatchStub::GetTypeInfoCount(UINT* pctinfo)
{
    if (!pctinfo)
        return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CDispatchStub::GetTypeInfo(UINT, LCID, ITypeInfo**)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE CDispatchStub::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return DISP_E_UNKNOWNNAME;
}
