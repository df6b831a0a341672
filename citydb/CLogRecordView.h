#pragma once

#include <picojson.h>

#include <string>

// The keys of one record of the change log, read in one pass over it. Holds null for a key
// that is missing or not of its type ("next" must be an array).
struct CLogRecordView {
    const std::string* pAction = nullptr;
    const std::string* pName = nullptr;
    const std::string* pLatest = nullptr;
    const std::string* pType = nullptr;
    const std::string* pOffset = nullptr;
    const std::string* pData = nullptr;
    picojson::array* pNext = nullptr;

    // True when the record applies: the replay can carry it out, its action being one of the
    // four and the keys that action reads holding strings ("type" "node" or "leaf", "data"
    // for a place). Records that do not apply never stand for an item, so nothing is
    // recorded into them.
    bool Read(picojson::value& v)
    {
        if (!v.is<picojson::object>())
            return false;
        for (auto& [key, value] : v.get<picojson::object>()) {
            // The seven keys differ in their first letter; one comparison then confirms.
            if (key.empty())
                continue;
            const std::string** ppText = nullptr;
            switch (key[0]) {
            case 'a': ppText = key == "action" ? &pAction : nullptr; break;
            case 'o': ppText = key == "original_name" ? &pName : nullptr; break;
            case 'l': ppText = key == "latest_name" ? &pLatest : nullptr; break;
            case 't': ppText = key == "type" ? &pType : nullptr; break;
            case 'v': ppText = key == "vertical_offset" ? &pOffset : nullptr; break;
            case 'd': ppText = key == "data" ? &pData : nullptr; break;
            case 'n':
                if (key == "next" && value.is<picojson::array>())
                    pNext = &value.get<picojson::array>();
                break;
            default: break;
            }
            if (ppText && value.is<std::string>())
                *ppText = &value.get<std::string>();
        }
        if (!pAction || !pName)
            return false;
        if (*pAction == "path" || *pAction == "delete")
            return true;
        if (*pAction != "add" && *pAction != "update")
            return false;
        if (!pType || (*pType != "node" && *pType != "leaf"))
            return false;
        if (*pType == "leaf" && !pData)
            return false;
        return *pAction == "add" ? pOffset != nullptr : pLatest != nullptr;
    }
    bool IsFolder() const { return *pType == "node"; }
};
