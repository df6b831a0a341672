#pragma once

#include <afx/CString.h>
#include <standin/CDispatchStub.h>

#include <map>
#include <vector>

// A stand-in sky engine: an IDispatch whose Command (dispatch id 2, BSTR in, BSTR out) records
// every command text and answers from a table. Unknown commands get m_strDefaultReply ("").
// A stack or member instance is owned by its holder and Release never deletes it; one made by
// New() deletes itself when the last reference goes.
class CStandInEngine : public CDispatchStub {
public:
    CStandInEngine() = default;
    virtual ~CStandInEngine() = default;
    CStandInEngine(const CStandInEngine&) = delete;
    CStandInEngine& operator=(const CStandInEngine&) = delete;
    static CStandInEngine* New();

    void SetReply(const CString& command, const CString& reply) { m_replies[command] = reply; }
    // The commands that did not start with "?" (assignments), in order.
    std::vector<CString> Assignments() const;

    // The reply to a command that has just been recorded: from the table, else the default.
    // An engine that keeps state overrides it.
    virtual CString Reply(const CString& command);

    std::vector<CString> m_commands;         // every command, in order
    std::map<CString, CString> m_replies;    // command text -> reply
    CString m_strDefaultReply;
    int m_nOtherCalls = 0;                   // Invoke calls that were not a valid Command

    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispId, REFIID riid, LCID lcid, WORD wFlags,
                                     DISPPARAMS* pParams, VARIANT* pResult, EXCEPINFO* pExcep,
                                     UINT* puArgErr) override;

private:
    void OnFinalRelease() override;

    bool m_bHeap = false;
};
