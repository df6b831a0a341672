#include <host/CCorZel.h>

CCorZel::CCorZel() = default;

CCorZel::CCorZel(IDispatch* pEngine)
{
    SetControlDispatch(pEngine);
}

CCorZel::~CCorZel() = default;

CString CCorZel::Command(const CString& command)
{
    CString reply;
    static const BYTE params[] = VTS_BSTR;
    InvokeHelper(DISPID_COMMAND, DISPATCH_METHOD, VT_BSTR, &reply, params, command.GetString());
    return reply;
}
