#pragma once

#include <afx/CString.h>
#include <picojson.h>

#include <map>
#include <string>
#include <vector>

// One step of a script (JSON Lines, one step an object, "do" naming it) and the grammar every
// step follows: the keys each kind needs, their kinds and their values. Playing the steps is
// the player's.
struct CScriptStep {
    int line;
    picojson::object o;
    std::string kind;

    // Checks one step's object; empty when it is well formed.
    static CString Check(const picojson::value& step);
    // Appends the steps of a script's text, counting its lines in `line`; false at the first
    // line that is not a well-formed step, with `why`.
    static bool ReadAll(std::string text, std::vector<CScriptStep>& steps, int& line, CString& why);
    // A key step's key: a letter or F1 to F12, after "ctrl+" and "shift+" as held; false for
    // another name.
    static bool ParseKey(const std::string& name, unsigned& vk, bool& bCtrl, bool& bShift);
    // The buttons an answer names, with their ids.
    static const std::map<std::string, int>& ButtonIds();
};
