# floemark-trace on scripts it can't read: cmake -DTRACE=... -DWORK=dir -P unreadable.cmake
# A folder, a file that is not there, a device that fails at its first read (an I/O error) and,
# unless run as root, a file without read permission: each ends with exit 2, nothing on
# standard output and one line on standard error, "floemark-trace: cannot read NAME (WHY)".
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/folder)
set(cases "${WORK}/folder|Is a directory" "${WORK}/none.txt|No such file or directory"
  "/proc/self/mem|Input/output error")
execute_process(COMMAND id -u OUTPUT_VARIABLE uid OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT uid STREQUAL "0")
  file(WRITE ${WORK}/locked.txt "0 end\n")
  file(CHMOD ${WORK}/locked.txt PERMISSIONS OWNER_WRITE)
  list(APPEND cases "${WORK}/locked.txt|Permission denied")
endif()
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" parts "${case}")
  list(GET parts 0 path)
  list(GET parts 1 why)
  execute_process(COMMAND ${TRACE} ${path} OUTPUT_VARIABLE out ERROR_VARIABLE err
    RESULT_VARIABLE rc)
  set(want "floemark-trace: cannot read ${path} (${why})\n")
  if(NOT rc STREQUAL "2" OR NOT out STREQUAL "" OR NOT err STREQUAL want)
    message(FATAL_ERROR "floemark-trace ${path}: exit ${rc}, standard output '${out}', "
      "standard error '${err}'; wanted exit 2, nothing, '${want}'")
  endif()
endforeach()
# The same from standard input.
execute_process(COMMAND ${TRACE} INPUT_FILE ${WORK}/folder OUTPUT_VARIABLE out
  ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc STREQUAL "2" OR NOT err STREQUAL "floemark-trace: cannot read standard input (Is a directory)\n")
  message(FATAL_ERROR "floemark-trace < folder: exit ${rc}, standard error '${err}'")
endif()
