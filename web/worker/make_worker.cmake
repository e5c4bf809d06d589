# Writes the site's service worker (sw.js) from its template: the build id is a hash of every
# file of the site, so any change to the site makes a new worker and a new cache. The shell is
# every file but the pictures, which the page names at its own density. Run with -DSITE= and
# -DTEMPLATE=. sw.js is rewritten only when it changes.
file(GLOB_RECURSE files RELATIVE ${SITE} ${SITE}/*)
list(FILTER files EXCLUDE REGEX "^sw\\.js$")
list(SORT files)
set(hashes "")
set(shell "'./'")
foreach(f ${files})
  file(SHA256 ${SITE}/${f} h)
  string(APPEND hashes "${f} ${h}\n")
  if(NOT f MATCHES "^art/")
    string(APPEND shell ", '${f}'")
  endif()
endforeach()
# The worker's own code counts too.
file(SHA256 ${TEMPLATE} h)
string(APPEND hashes "sw.js ${h}\n")
string(SHA256 id "${hashes}")
string(SUBSTRING ${id} 0 16 BUILD_ID)
set(SHELL ${shell})
configure_file(${TEMPLATE} ${SITE}/sw.js.new @ONLY)
file(COPY_FILE ${SITE}/sw.js.new ${SITE}/sw.js ONLY_IF_DIFFERENT)
file(REMOVE ${SITE}/sw.js.new)
