#pragma once

#include <afx/CString.h>

#include <string>
#include <vector>

// One line of an edits file: an edit of the city list as the city list dialog makes it.
class CObsdbEdit {
public:
    enum class Op { AddPlace, AddFolder, EditPlace, EditFolder, Delete, Move, Reset };
    enum class Mode { Unset, Behind, Into };

    // Reads one JSON Lines object (UTF-8). False with strError set when the line is malformed:
    // not an object, an unknown "op", a key missing or of the wrong type, or a key the op does
    // not read.
    bool Parse(const std::string& line, std::string& strError);

    Op m_op = Op::Reset;
    std::vector<CString> m_aAt;  // names from the root
    std::vector<CString> m_aTo;
    CString m_strName;
    double m_dLon = 0.0;
    double m_dLat = 0.0;
    double m_dAlt = 0.0;
    double m_dTz = 0.0;
    int m_nType = 0;
    bool m_bHasType = false;
    int m_nAltFlag = 0;
    bool m_bHasAltFlag = false;  // otherwise worked out as the place editor does
    Mode m_mode = Mode::Unset;
};
