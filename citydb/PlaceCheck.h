#pragma once

#include <afx/CString.h>
#include <citydb/CoordFields.h>

// The place editor's checks, so that the editor and the command-line tool refuse the same
// places with the same text. Trims strName in place, then makes the ten checks in order and
// returns the message of every failed one, each ending in a line feed; empty when all pass. A
// name the city list cannot hold (CityNameRefusal) is refused right after the empty name would
// be. The choices are not checked: the editor's fields are unsigned, with west and south apart.
CString CheckPlace(CString& strName, const CCoordFields& fields);
