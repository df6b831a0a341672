#pragma once

#include <afx/afxwin.h>
#include <citydb/CoordFields.h>
#include <vrkcom/VrkDDX.h>
#include <vrkcst/CZelEdit.h>
#include <vrkcst/CZelRadioButton.h>
#include <vrkcst/CZelSpinButton.h>

// The twelve coordinate fields of one dialog bound once: each number's member, edit, up-down
// and format, each choice's member and radio pair. The data exchange, attaching the controls,
// the copy to and from CCoordFields, a typed value's check and an up-down's step all read the
// dialog's one table, so a field is added or changed in one row. The dialog provides
// WriteFields() (UpdateData(FALSE) that its change handlers ignore).
template <class TDialog> struct CCoordBinding {
    struct CNumber {
        CoordField field;
        int TDialog::*pInt;  // an integer field, or
        double TDialog::*pDouble;  // a double one, shown with pszFormat
        const wchar_t* pszFormat;
        int nEdit;
        CZelEdit TDialog::*pEdit;
        int nSpin;
        CZelSpinButton TDialog::*pSpin;
    };
    // 0 for the first radio of the pair, 1 for the second.
    struct CChoice {
        int CCoordFields::*pField;
        int TDialog::*pValue;
        int nFirst;
        CZelRadioButton TDialog::*pFirst;
        int nSecond;
        CZelRadioButton TDialog::*pSecond;
    };

    static constexpr CNumber Int(CoordField field, int TDialog::*pValue, int nEdit, CZelEdit TDialog::*pEdit, int nSpin,
                                 CZelSpinButton TDialog::*pSpin)
    {
        return {field, pValue, nullptr, nullptr, nEdit, pEdit, nSpin, pSpin};
    }
    static constexpr CNumber Real(CoordField field, double TDialog::*pValue, const wchar_t* pszFormat, int nEdit,
                                  CZelEdit TDialog::*pEdit, int nSpin, CZelSpinButton TDialog::*pSpin)
    {
        return {field, nullptr, pValue, pszFormat, nEdit, pEdit, nSpin, pSpin};
    }

    CNumber numbers[kCoordFieldCount];  // in the order of CoordField
    CChoice choices[3];  // east or west, north or south, "+" or "-"

    CCoordFields Read(const TDialog& dlg) const
    {
        CCoordFields fields;
        for (const CChoice& c : choices)
            fields.*c.pField = dlg.*c.pValue;
        for (const CNumber& n : numbers)
            SetCoordField(fields, n.field, n.pInt != nullptr ? dlg.*n.pInt : dlg.*n.pDouble);
        return fields;
    }

    void Write(TDialog& dlg, const CCoordFields& fields) const
    {
        for (const CChoice& c : choices)
            dlg.*c.pValue = fields.*c.pField;
        for (const CNumber& n : numbers) {
            const double dValue = GetCoordField(fields, n.field);
            if (n.pInt != nullptr)
                dlg.*n.pInt = static_cast<int>(dValue);
            else
                dlg.*n.pDouble = dValue;
        }
    }

    // Radios first, then the nine edits (at most 7 characters each).
    void Exchange(CDataExchange* pDX, TDialog& dlg) const
    {
        for (const CChoice& c : choices)
            DDX_Radio(pDX, c.nFirst, dlg.*c.pValue);
        for (const CNumber& n : numbers) {
            if (n.pInt != nullptr)
                DDX_Int(pDX, n.nEdit, dlg.*n.pInt, 0, 7);
            else
                DDX_DoubleFmt(pDX, n.nEdit, dlg.*n.pDouble, n.pszFormat, 7);
        }
    }

    void Attach(TDialog& dlg) const
    {
        for (const CNumber& n : numbers) {
            (dlg.*n.pEdit).Attach(n.nEdit, &dlg);
            (dlg.*n.pSpin).Attach(n.nSpin, &dlg);
        }
        for (const CChoice& c : choices) {
            (dlg.*c.pFirst).Attach(c.nFirst, &dlg);
            (dlg.*c.pSecond).Attach(c.nSecond, &dlg);
        }
    }

    // A typed value checked by its rule: showMessage() for one out of range while the edit
    // still shows what was typed, then the corrected fields written back.
    template <class FShowMessage> FieldCheck Check(TDialog& dlg, const CFieldRule& rule, FShowMessage showMessage) const
    {
        dlg.UpdateData(TRUE);
        CCoordFields fields = Read(dlg);
        const FieldCheck result = CheckField(rule, fields);
        if (result == FieldCheck::OutOfRange)
            showMessage();
        if (result != FieldCheck::Accepted) {
            Write(dlg, fields);
            dlg.WriteFields();
        }
        return result;
    }

    // One step of an up-down by the rule of its field.
    void Step(TDialog& dlg, const CFieldRule& rule, NMHDR* pNMHDR, LRESULT* pResult) const
    {
        dlg.UpdateData(TRUE);
        CCoordFields fields = Read(dlg);
        StepField(rule, fields, reinterpret_cast<NMUPDOWN*>(pNMHDR)->iDelta);
        Write(dlg, fields);
        dlg.WriteFields();
        *pResult = 0;
    }
};
