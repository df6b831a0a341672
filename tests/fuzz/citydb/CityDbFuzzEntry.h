#pragma once

#include <cstddef>
#include <cstdint>

// One fuzz input: the bytes before the first NUL are a system city list, the bytes after it a
// change log (with no NUL, the whole input is both). Loads the list, replays the log, makes a
// few edits with their recording, saves, and replays the saved log once more.
int CityDbFuzzOne(const std::uint8_t* pData, std::size_t nSize);
