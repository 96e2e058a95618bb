# Source lists come from the folders themselves: a new file joins its target without editing CMake.
# Folder rules: */win32/* and */views/* are Windows-only; */sim/* is native-only.
function(trenmoor_glob out)
  file(GLOB_RECURSE _files CONFIGURE_DEPENDS ${ARGN})
  set(${out} ${_files} PARENT_SCOPE)
endfunction()
