# SPDX-License-Identifier: GPL-3.0-or-later
# Joins the help fragments (FRAGMENTS, a list) into one HTML document (OUTPUT),
# written beside and renamed into place so a reader never sees half a file.
set(text "<!DOCTYPE html>\n<html lang=\"ja\"><head><meta charset=\"utf-8\"><title>Zelvaro ヘルプ</title></head>\n<body>\n")
foreach(fragment IN LISTS FRAGMENTS)
  file(READ ${fragment} part)
  string(APPEND text "${part}\n")
endforeach()
string(APPEND text "</body></html>\n")
file(WRITE ${OUTPUT}.tmp "${text}")
file(RENAME ${OUTPUT}.tmp ${OUTPUT})
