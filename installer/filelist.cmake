# Sorts the ready data folder into program files and user files and writes what the
# installer and the portable zip take from it:
#   cmake -DBIN_DIR=... -DNSH=files.nsh -DZIP_LIST=zip.txt -P filelist.cmake
# Program files are replaced by every installation and removed by the uninstaller.
# User files (the language files, word lists, practice lists with their scores,
# character files, sort tables) are samples: added only where missing, never
# replaced, kept by the uninstaller unless the user asks otherwise.
# A file that fits neither stops the build, so that nothing new is shipped without
# a decision on whether an upgrade may replace it.
cmake_minimum_required(VERSION 3.25)

set(program_patterns
  "^lingorix\\.exe$" "^[^/]+\\.(wav|avi|bmp)$"
  "^help/" "^icons/[^/]+\\.ico$" "^strings/[^/]+\\.str$")
set(user_patterns
  "^languages\\.ini$" "^sprachen\\.ini$"
  "^wordlists/" "^woerterlisten/" "^practice/" "^uebungslisten/"
  "^charset/" "^tables/")
# The program writes these while it runs (in the build's folder too, when started
# there); the installer writes language.ini from the chosen edition.
set(runtime_patterns
  "^lingorix\\.ini$" "^win\\.ini$" "^tmp\\.ini$" "^language\\.ini$" "\\.tmp$"
  "^new/" "^sound/")

function(matches_any path out)
  set(${out} FALSE PARENT_SCOPE)
  foreach(pattern IN LISTS ARGN)
    if(path MATCHES "${pattern}")
      set(${out} TRUE PARENT_SCOPE)
      return()
    endif()
  endforeach()
endfunction()

file(GLOB_RECURSE all RELATIVE ${BIN_DIR} ${BIN_DIR}/*)
list(SORT all)
set(program_files)
set(user_files)
set(zip_files)
foreach(path IN LISTS all)
  matches_any("${path}" is_runtime ${runtime_patterns})
  matches_any("${path}" is_program ${program_patterns})
  matches_any("${path}" is_user ${user_patterns})
  if(is_runtime)
    if(path STREQUAL "language.ini")
      list(APPEND zip_files "${path}")
    endif()
  elseif(is_program)
    list(APPEND program_files "${path}")
    list(APPEND zip_files "${path}")
  elseif(is_user)
    list(APPEND user_files "${path}")
    list(APPEND zip_files "${path}")
  else()
    message(FATAL_ERROR "${BIN_DIR}/${path}: neither a program file nor a user file; "
                        "add it to one of the lists in ${CMAKE_CURRENT_LIST_FILE}")
  endif()
endforeach()
if(NOT "lingorix.exe" IN_LIST program_files OR NOT "languages.ini" IN_LIST user_files)
  message(FATAL_ERROR "${BIN_DIR} is not a ready data folder")
endif()

function(windows_path path out)
  string(REPLACE "/" "\\" p "${path}")
  set(${out} "${p}" PARENT_SCOPE)
endfunction()

# File commands, one SetOutPath per folder.
function(install_lines files out)
  set(text "")
  set(current "-")
  foreach(path IN LISTS files)
    get_filename_component(dir "${path}" DIRECTORY)
    if(NOT dir STREQUAL current)
      windows_path("${dir}" wdir)
      if(dir STREQUAL "")
        string(APPEND text "  SetOutPath \"$INSTDIR\"\n")
      else()
        string(APPEND text "  SetOutPath \"$INSTDIR\\${wdir}\"\n")
      endif()
      set(current "${dir}")
    endif()
    string(APPEND text "  File \"${BIN_DIR}/${path}\"\n")
  endforeach()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Every folder on the way to the files, deepest first, for a non-recursive RMDir.
function(folders_of files out)
  set(dirs)
  foreach(path IN LISTS files)
    get_filename_component(dir "${path}" DIRECTORY)
    while(NOT dir STREQUAL "")
      list(APPEND dirs "${dir}")
      get_filename_component(dir "${dir}" DIRECTORY)
    endwhile()
  endforeach()
  list(REMOVE_DUPLICATES dirs)
  list(SORT dirs ORDER DESCENDING)
  set(${out} "${dirs}" PARENT_SCOPE)
endfunction()

install_lines("${program_files}" install_program)
install_lines("${user_files}" install_user)

set(remove_program "")
foreach(path IN LISTS program_files)
  windows_path("${path}" wpath)
  string(APPEND remove_program "  Delete \"$INSTDIR\\${wpath}\"\n")
endforeach()
folders_of("${program_files}" program_dirs)
foreach(dir IN LISTS program_dirs)
  windows_path("${dir}" wdir)
  string(APPEND remove_program "  RMDir \"$INSTDIR\\${wdir}\"\n")
endforeach()

# Asked for by the user: the user's files go with the folders they live in, since
# the program adds files of its own there (new word lists, practice lists, scores).
set(remove_user "")
set(user_tops)
foreach(path IN LISTS user_files)
  string(REGEX REPLACE "/.*" "" top "${path}")
  if(top STREQUAL path)
    string(APPEND remove_user "  Delete \"$INSTDIR\\${path}\"\n")
  else()
    list(APPEND user_tops "${top}")
  endif()
endforeach()
list(REMOVE_DUPLICATES user_tops)
foreach(top IN LISTS user_tops)
  string(APPEND remove_user "  RMDir /r \"$INSTDIR\\${top}\"\n")
endforeach()

# The files' digests make the script change with any file, so that the setup is
# made again whenever something it packs changed.
set(digests "")
foreach(path IN LISTS program_files user_files)
  file(MD5 "${BIN_DIR}/${path}" md5)
  string(APPEND digests "; ${md5} ${path}\n")
endforeach()

file(WRITE ${NSH}.new
  "; Written by the build from ${BIN_DIR}; do not edit.\n${digests}"
  "!macro LingorixProgramFiles\n${install_program}!macroend\n"
  "!macro LingorixUserFiles\n${install_user}!macroend\n"
  "!macro LingorixRemoveProgramFiles\n${remove_program}!macroend\n"
  "!macro LingorixRemoveUserFiles\n${remove_user}!macroend\n")
file(COPY_FILE ${NSH}.new ${NSH} ONLY_IF_DIFFERENT)
file(REMOVE ${NSH}.new)

string(REPLACE ";" "\n" zip_text "${zip_files}")
file(WRITE ${ZIP_LIST}.new "${zip_text}\n")
file(COPY_FILE ${ZIP_LIST}.new ${ZIP_LIST} ONLY_IF_DIFFERENT)
file(REMOVE ${ZIP_LIST}.new)
