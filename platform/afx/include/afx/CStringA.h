#pragma once

// CStringA is the narrow instance of the one string template.
#include <afx/CString.h>
