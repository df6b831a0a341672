#pragma once

#include <ole2.h>

// What every stand-in automation object shares: IUnknown for IDispatch, the reference count,
// no type information and no names. A subclass implements Invoke and says what the last
// Release does (OnFinalRelease).
class CDispatchStub : public IDispatch {
public:
    CDispatchStub(const CDispatchStub&) = delete;
    CDispatchStub& operator=(const CDispatchStub&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;

protected:
    CDispatchStub() = default;
    virtual ~CDispatchStub() = default;
    virtual void OnFinalRelease() = 0;

private:
    LONG m_nRef = 1;
};
