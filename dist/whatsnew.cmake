# WHATSNEW.TXT is the one version history: the AppStream releases and the man page's date are
# read from it. Its releases look like
#
#   Version 1.01  (2026-12-08)
#   --------------------------
#   A paragraph, possibly over several lines.
#
#   - A list item,
#     continued on an indented line.
#
# floemark_releases(FILE XML DATE VERSION) sets XML to the <releases> element, newest first as
# in the file, and DATE and VERSION to the newest release's.
function(floemark_releases file xml_var date_var version_var)
  # Lines as a CMake list: the list's own separator and brackets stand in for themselves
  # until the text is written out.
  file(READ ${file} content)
  string(REPLACE ";" "<semicolon>" content "${content}")
  string(REPLACE "[" "<open>" content "${content}")
  string(REPLACE "]" "<close>" content "${content}")
  string(REPLACE "\r" "" content "${content}")
  string(REPLACE "\n" ";" lines "${content}")
  set(xml "")
  set(newest_version "")
  set(newest_date "")
  set(open_release FALSE)
  set(block "")      # "p" or "li" while a paragraph or an item is being read
  set(text "")
  set(in_list FALSE)

  # Ends the paragraph or list item being read, and the list after the last item.
  macro(end_block)
    if(block)
      string(REPLACE "&" "&amp;" text "${text}")
      string(REPLACE "<" "&lt;" text "${text}")
      string(REPLACE ">" "&gt;" text "${text}")
      string(REPLACE "&lt;semicolon&gt;" ";" text "${text}")
      string(REPLACE "&lt;open&gt;" "[" text "${text}")
      string(REPLACE "&lt;close&gt;" "]" text "${text}")
      if(block STREQUAL "li" AND NOT in_list)
        string(APPEND xml "        <ul>\n")
        set(in_list TRUE)
      elseif(block STREQUAL "p" AND in_list)
        string(APPEND xml "        </ul>\n")
        set(in_list FALSE)
      endif()
      if(block STREQUAL "li")
        string(APPEND xml "          <li>${text}</li>\n")
      else()
        string(APPEND xml "        <p>${text}</p>\n")
      endif()
      set(block "")
      set(text "")
    endif()
  endmacro()
  macro(end_release)
    end_block()
    if(in_list)
      string(APPEND xml "        </ul>\n")
      set(in_list FALSE)
    endif()
    if(open_release)
      string(APPEND xml "      </description>\n    </release>\n")
    endif()
  endmacro()

  foreach(line IN LISTS lines)
    if(line MATCHES "^Version ([0-9][0-9.]*)  \\(([0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9])\\)$")
      end_release()
      if(NOT newest_version)
        set(newest_version ${CMAKE_MATCH_1})
        set(newest_date ${CMAKE_MATCH_2})
      endif()
      string(APPEND xml "    <release version=\"${CMAKE_MATCH_1}\" date=\"${CMAKE_MATCH_2}\">\n"
        "      <description>\n")
      set(open_release TRUE)
    elseif(NOT open_release OR line MATCHES "^-+$")
      # The file's title, or a heading's underline.
    elseif(line STREQUAL "")
      end_block()
    elseif(line MATCHES "^- (.*)$")
      end_block()
      set(block "li")
      set(text "${CMAKE_MATCH_1}")
    elseif(block STREQUAL "li" AND line MATCHES "^  +(.*)$")
      string(APPEND text " ${CMAKE_MATCH_1}")
    elseif(block STREQUAL "p")
      string(STRIP "${line}" line)
      string(APPEND text " ${line}")
    else()
      end_block()
      set(block "p")
      string(STRIP "${line}" text)
    endif()
  endforeach()
  end_release()

  if(NOT newest_version)
    message(FATAL_ERROR "${file} names no release as \"Version N.NN  (YYYY-MM-DD)\"")
  endif()
  set(${xml_var} "  <releases>\n${xml}  </releases>" PARENT_SCOPE)
  set(${date_var} ${newest_date} PARENT_SCOPE)
  set(${version_var} ${newest_version} PARENT_SCOPE)
endfunction()
