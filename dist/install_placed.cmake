# Run by `cmake --install` (install(CODE) in CMakeLists.txt sets the FLOEMARK_ variables):
# writes the desktop entry and the man page with the absolute places of the program and its
# data folder under this install's prefix, and installs them, honouring DESTDIR.

# Exec is a command line: a path with a space or a shell character goes in double quotes,
# with ", `, $ and \ escaped; a literal % is %%; and the value as a whole escapes its
# backslashes once more, as every desktop entry string does.
set(exec "${FLOEMARK_PROGRAM_PATH}")
string(REPLACE "%" "%%" exec "${exec}")
if(exec MATCHES "[] \t\"'\\\\><~|&;$*?#()`[]")
  string(REPLACE "\\" "\\\\" exec "${exec}")
  string(REPLACE "\"" "\\\"" exec "${exec}")
  string(REPLACE "`" "\\`" exec "${exec}")
  string(REPLACE "$" "\\$" exec "${exec}")
  set(exec "\"${exec}\"")
endif()
string(REPLACE "\\" "\\\\" exec "${exec}")
string(REPLACE "\\" "\\\\" path "${FLOEMARK_DATA_PATH}")

file(MAKE_DIRECTORY ${FLOEMARK_WORK})
configure_file(${FLOEMARK_FROM}/floemark.desktop.in ${FLOEMARK_WORK}/${FLOEMARK_APP_ID}.desktop
  @ONLY)
file(INSTALL ${FLOEMARK_WORK}/${FLOEMARK_APP_ID}.desktop
  DESTINATION "${CMAKE_INSTALL_PREFIX}/${FLOEMARK_APPLICATIONS_DIR}")

# Compressed as Debian's policy has man pages, without a time stamp so that every build of
# the package is the same.
configure_file(${FLOEMARK_FROM}/floemark.6.in ${FLOEMARK_WORK}/floemark.6 @ONLY)
execute_process(COMMAND gzip -9nf ${FLOEMARK_WORK}/floemark.6 RESULT_VARIABLE gzipped)
if(NOT gzipped EQUAL 0)
  message(FATAL_ERROR "gzip failed on ${FLOEMARK_WORK}/floemark.6")
endif()
file(INSTALL ${FLOEMARK_WORK}/floemark.6.gz DESTINATION "${CMAKE_INSTALL_PREFIX}/${FLOEMARK_MAN6_DIR}")
