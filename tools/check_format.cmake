# cmake -DSOURCE=repo -DCLANG_FORMAT=clang-format -P check_format.cmake
# Fails, naming the files, when a C++ source of the project differs from what .clang-format
# makes of it. `clang-format -i FILE...` mends them.
file(GLOB_RECURSE sources LIST_DIRECTORIES false RELATIVE ${SOURCE}
  ${SOURCE}/app/*.cpp ${SOURCE}/app/*.h ${SOURCE}/base/*.cpp ${SOURCE}/base/*.h
  ${SOURCE}/panel/*.cpp ${SOURCE}/panel/*.h ${SOURCE}/sound/*.cpp ${SOURCE}/sound/*.h
  ${SOURCE}/game/*.cpp ${SOURCE}/game/*.h ${SOURCE}/tools/*.cpp ${SOURCE}/tools/*.h
  ${SOURCE}/tests/*.cpp ${SOURCE}/tests/*.h ${SOURCE}/bench/*.cpp ${SOURCE}/bench/*.h
  ${SOURCE}/fuzz/*.cpp ${SOURCE}/fuzz/*.h ${SOURCE}/web/*.cpp ${SOURCE}/web/*.h)
list(LENGTH sources count)
if(count EQUAL 0)
  message(FATAL_ERROR "no sources found under ${SOURCE}")
endif()
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${sources}
  WORKING_DIRECTORY ${SOURCE} RESULT_VARIABLE rc ERROR_VARIABLE said)
if(NOT rc EQUAL 0)
  string(REGEX MATCHALL "[^\n:]+:[0-9]+:[0-9]+: error" places "${said}")
  set(bad "")
  foreach(p IN LISTS places)
    string(REGEX REPLACE ":[0-9]+:[0-9]+: error$" "" f "${p}")
    list(APPEND bad ${f})
  endforeach()
  list(REMOVE_DUPLICATES bad)
  list(JOIN bad "\n  " lines)
  message(FATAL_ERROR "not formatted as .clang-format says:\n  ${lines}")
endif()
message(STATUS "${count} files formatted as .clang-format says")
