# SPDX-License-Identifier: GPL-3.0-or-later
# Joins the help fragments (FRAGMENTS, a list) into one HTML document (OUTPUT),
# written beside and renamed into place so a reader never sees half a file.
# LANG and TITLE name the language and the title (Japanese by default).
if(NOT DEFINED LANG)
  set(LANG ja)
endif()
if(NOT DEFINED TITLE)
  set(TITLE "Zelvaro ヘルプ")
endif()
set(text "<!DOCTYPE html>\n<html lang=\"${LANG}\"><head><meta charset=\"utf-8\"><title>${TITLE}</title></head>\n<body>\n")
foreach(fragment IN LISTS FRAGMENTS)
  file(READ ${fragment} part)
  string(APPEND text "${part}\n")
endforeach()
string(APPEND text "</body></html>\n")
file(WRITE ${OUTPUT}.tmp "${text}")
file(RENAME ${OUTPUT}.tmp ${OUTPUT})
