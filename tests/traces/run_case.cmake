# Runs one replay case: cmake -DTRACE=... -DCASE=dir -DSOUNDS=dir -DWORK=dir [-DREBASELINE=1]
#   -P run_case.cmake
# The case runs in WORK with a SOUND folder holding the cue files that CASE/sounds.txt names
# (all seven when there is no such file). Its result is the trace on standard output, followed,
# when the tool refused the script, by "exit N" and its standard error; it must equal
# CASE/expected.txt, or becomes it when rebaselining.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/SOUND)
if(EXISTS ${CASE}/sounds.txt)
  file(STRINGS ${CASE}/sounds.txt wanted)
else()
  set(wanted START.WAV TEMPO.WAV GOT.WAV BLOCK.WAV BONUS.WAV BOMBED.WAV OVER.WAV)
endif()
foreach(name IN LISTS wanted)
  if(name)
    file(COPY ${SOUNDS}/${name} DESTINATION ${WORK}/SOUND)
  endif()
endforeach()
execute_process(COMMAND ${TRACE} ${CASE}/script.txt WORKING_DIRECTORY ${WORK}
  OUTPUT_FILE ${WORK}/actual.txt ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  file(APPEND ${WORK}/actual.txt "exit ${rc}\n${err}")
endif()
if(REBASELINE)
  file(COPY_FILE ${WORK}/actual.txt ${CASE}/expected.txt)
  return()
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/actual.txt ${CASE}/expected.txt
  RESULT_VARIABLE differ)
if(differ)
  execute_process(COMMAND diff -u ${CASE}/expected.txt ${WORK}/actual.txt)
  message(FATAL_ERROR "trace of ${CASE} differs from expected.txt")
endif()
