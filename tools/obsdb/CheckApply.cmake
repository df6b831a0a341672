# Runs obsdb apply on the worked example in testdata/ and compares both files it writes with
# the expected bytes, so that the native program and the .exe are held to the same output.
# Arguments: OBSDB (the program), EMULATOR (empty natively), DATA (testdata), WORK (scratch).
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(COPY "${DATA}/zelkam.obs" "${DATA}/edits.jsonl" DESTINATION "${WORK}")
execute_process(COMMAND ${EMULATOR} "${OBSDB}" apply zelkam.obs none.json edits.jsonl user.obs log.json
                WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE status ERROR_VARIABLE err OUTPUT_VARIABLE out)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "obsdb apply exited with ${status}: ${err}")
endif()
# The folder refused as a duplicate is reported, and the run goes on.
string(FIND "${err}" "はすでに存在しています。" refused)
if(refused EQUAL -1)
  message(FATAL_ERROR "no duplicate-name message on standard error: ${err}")
endif()
foreach(pair "user.obs;expected_user.obs" "log.json;expected_log.json")
  list(GET pair 0 got)
  list(GET pair 1 want)
  file(READ "${WORK}/${got}" got_hex HEX)
  file(READ "${DATA}/${want}" want_hex HEX)
  if(NOT got_hex STREQUAL want_hex)
    message(FATAL_ERROR "${got} differs from ${want}:\n${got_hex}\n${want_hex}")
  endif()
endforeach()
