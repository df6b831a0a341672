#pragma once

#include <afx/afxdefs.h>

// Framework exceptions are thrown by pointer and released by the catcher with Delete().
class AFX_API CException {
public:
    CException() = default;
    CException(const CException&) = delete;
    CException& operator=(const CException&) = delete;
    virtual ~CException();
    void Delete();
};

class AFX_API CInvalidArgException : public CException {
public:
    CInvalidArgException() = default;
    ~CInvalidArgException() override;
};

// Throws a new CInvalidArgException; catch it as CInvalidArgException* and call Delete().
[[noreturn]] AFX_API void AfxThrowInvalidArgException();
