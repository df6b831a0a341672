#include <afx/CException.h>

CException::~CException() = default;

void CException::Delete()
{
    delete this;
}

CInvalidArgException::~CInvalidArgException() = default;

void AfxThrowInvalidArgException()
{
    throw new CInvalidArgException;
}
