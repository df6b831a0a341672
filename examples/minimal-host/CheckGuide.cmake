# Fails unless GUIDE holds the whole of SOURCE as one ```cpp block.
file(READ ${GUIDE} guide)
file(READ ${SOURCE} source)
string(FIND "${guide}" "```cpp\n${source}```\n" at)
if(at EQUAL -1)
  message(FATAL_ERROR "${GUIDE} does not show ${SOURCE} as it is: copy the file into its ```cpp block")
endif()
