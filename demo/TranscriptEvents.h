#pragma once

#include "CJsonLine.h"

#include <standin/CStandInMap.h>
#include <vrkcom/CGeoDateObs.h>

#include <vector>

// The transcript's events of what the host's parts received, each from the call as it came.
CJsonLine EngineEvent(const CString& command);
// Each argument with its type (R8, PR8 with the value written back, BOOL, BSTR, I4, UI4, UI8);
// the address in method 23's UI8 is written as the flags it pointed to.
CJsonLine MapEvent(const StandInMapCall& call, const std::vector<int>& landmarkFlags);
CJsonLine ObserverEvent(const CGeoDateObs::Call& call);
CJsonLine HostMessageEvent(UINT message, WPARAM wParam, LPARAM lParam);
