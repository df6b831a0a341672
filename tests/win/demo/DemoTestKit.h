#pragma once

#include <string>
#include <vector>

// A script or a transcript from its lines.
inline std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& l : lines)
        text += l + "\n";
    return text;
}
