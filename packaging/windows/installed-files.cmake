# Writes the NSIS include that names, one by one, the files of the install
# tree FILES, for the uninstaller to delete by name (so that a folder chosen by
# the user keeps whatever else it holds), and their size for the uninstall
# entry. Usage: cmake -DFILES=<install tree> -DOUT=<file.nsh> -P installed-files.cmake
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${FILES}" "${FILES}/*")
list(SORT files)
set(bytes 0)
set(deletes "")
set(folders "")
foreach(f IN LISTS files)
  file(SIZE "${FILES}/${f}" size)
  math(EXPR bytes "${bytes} + ${size}")
  string(REPLACE "/" "\\" name "${f}")
  string(REPLACE "$" "$$" name "${name}")
  string(APPEND deletes "  Delete \"$INSTDIR\\${name}\"\n")
  get_filename_component(folder "${f}" DIRECTORY)
  while(folder)
    list(APPEND folders "${folder}")
    get_filename_component(folder "${folder}" DIRECTORY)
  endwhile()
endforeach()
list(REMOVE_DUPLICATES folders)
# The deepest folder first, so that each is empty when its turn comes.
list(SORT folders ORDER DESCENDING)
set(rmdirs "")
foreach(folder IN LISTS folders)
  string(REPLACE "/" "\\" name "${folder}")
  string(REPLACE "$" "$$" name "${name}")
  string(APPEND rmdirs "  RMDir \"$INSTDIR\\${name}\"\n")
endforeach()
math(EXPR kilobytes "(${bytes} + 1023) / 1024")
file(WRITE "${OUT}" "; Made by installed-files.cmake from the install tree.
!define INSTALLED_SIZE_KB ${kilobytes}
!macro DeleteInstalledFiles
${deletes}!macroend
!macro RemoveInstalledFolders
${rmdirs}!macroend
")
