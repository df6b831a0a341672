#include <standin/CStandInEngine.h>

CStandInEngine* CStandInEngine::New()
{
    CStandInEngine* p = new CStandInEngine;
    p->m_bHeap = true;
    return p;
}

void CStandInEngine::OnFinalRelease()
{
    if (m_bHeap)
        delete this;
}

std::vector<CString> CStandInEngine::Assignments() const
{
    std::vector<CString> out;
    for (const CString& c : m_commands)
        if (c.GetLength() == 0 || c[0] != L'?')
            out.push_back(c);
    return out;
}

CString CStandInEngine::Reply(const CString& command)
{
    const auto it = m_replies.find(command);
    return it != m_replies.end() ? it->second : m_strDefaultReply;
}

HRESULT STDMETHODCALLTYPE CStandInEngine::Invoke(DISPID dispId, REFIID, LCID, WORD wFlags,
                                              DISPPARAMS* pParams, VARIANT* pResult, EXCEPINFO*,
                                              UINT* puArgErr)
{
    if (dispId != 2) {
        ++m_nOtherCalls;
        return DISP_E_MEMBERNOTFOUND;
    }
    if (!(wFlags & DISPATCH_METHOD) || !pParams || pParams->cArgs != 1) {
        ++m_nOtherCalls;
        return DISP_E_BADPARAMCOUNT;
    }
    const VARIANT& arg = pParams->rgvarg[0];
    if (arg.vt != VT_BSTR) {
        ++m_nOtherCalls;
        if (puArgErr)
            *puArgErr = 0;
        return DISP_E_TYPEMISMATCH;
    }
    const CString command(arg.bstrVal ? arg.bstrVal : L"", arg.bstrVal ? SysStringLen(arg.bstrVal) : 0);
    m_commands.push_back(command);
    const CString reply = Reply(command);
    if (pResult) {
        VariantInit(pResult);
        pResult->vt = VT_BSTR;
        pResult->bstrVal = SysAllocStringLen(reply.GetString(), static_cast<UINT>(reply.GetLength()));
    }
    return S_OK;
}
