# Checks the includes of the core (SOURCE_DIR: src/core). Run by the
# brimo_core_layer_check target at every build of brimo_core, and by
# scripts/check-layers.sh. Fails, naming each file, include and rule, when
#  - a core file includes a QtWidgets or QtGui header (the core draws nothing
#    and must stay testable alone), or
#  - a folder includes a folder that is not below it in the stack: a folder
#    includes its own headers and those of folders of lower rank only.

# The stack, from the bottom. Folders of one rank do not include each other.
set(layer_ranks
  text 0
  platform 1
  config 2
  search 2
  conversation 3
  session 4
  shell 5
  dcc 6
  script 6
  commands 7)

set(folders "")
list(LENGTH layer_ranks count)
math(EXPR last "${count} - 1")
foreach(i RANGE 0 ${last} 2)
  math(EXPR j "${i} + 1")
  list(GET layer_ranks ${i} folder)
  list(GET layer_ranks ${j} rank)
  set(rank_${folder} ${rank})
  list(APPEND folders ${folder})
endforeach()

# "text, platform": the folders that one of this rank may include.
function(folders_below rank out)
  set(below "")
  foreach(folder ${folders})
    if(rank_${folder} LESS rank)
      list(APPEND below ${folder})
    endif()
  endforeach()
  if(below)
    list(JOIN below ", " text)
    set(text "only ${text}")
  else()
    set(text "no other folder")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp)
list(SORT files)
set(gui "")
set(upward "")
foreach(f ${files})
  file(STRINGS ${SOURCE_DIR}/${f} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](QtWidgets|QtGui|QWidget|QApplication|QMainWindow|QDialog|QMessageBox|QPainter|QPixmap|QImage|QIcon|QColor|QFont|QAbstractScrollArea|QMenu|QAction)")
  if(lines)
    string(APPEND gui "\n  src/core/${f}: ${lines}")
  endif()

  string(REGEX MATCH "^[^/]+" own ${f})
  if(NOT DEFINED rank_${own})
    string(APPEND upward "\n  src/core/${f}: the folder ${own}/ has no place in the stack (add it to layer_ranks in cmake/CheckCoreIncludes.cmake)")
    continue()
  endif()
  file(STRINGS ${SOURCE_DIR}/${f} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z_]+/")
  foreach(line ${includes})
    string(REGEX MATCH "\"([a-z_]+)/[^\"]*\"" header "${line}")
    set(target ${CMAKE_MATCH_1})
    if(target STREQUAL own OR NOT DEFINED rank_${target})
      continue()
    endif()
    if(NOT rank_${target} LESS rank_${own})
      folders_below(${rank_${own}} allowed)
      string(APPEND upward "\n  src/core/${f} includes ${header}: ${own}/ (rank ${rank_${own}}) may include ${allowed}; ${target}/ has rank ${rank_${target}}")
    endif()
  endforeach()
endforeach()

set(failures "")
if(gui)
  string(APPEND failures "The core must not include widget or GUI headers:${gui}\n")
endif()
if(upward)
  string(APPEND failures "The core is a stack (text, platform, config and search, conversation, session, shell, dcc and script, commands): a folder includes only folders below it:${upward}\n")
endif()
if(failures)
  message(FATAL_ERROR "${failures}")
endif()
