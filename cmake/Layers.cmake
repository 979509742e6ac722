# Each folder is a target that sees only its own headers and those of the targets it links.
# veyra_expose(target folder) makes "folder/X.h" includable from the target and from whatever
# links it, through a directory of the build tree that holds nothing but that folder. An include
# of a folder higher up then has no path to resolve against and fails to compile.
function(veyra_expose target folder)
  set(root "${CMAKE_BINARY_DIR}/layers/${target}")
  get_filename_component(parent "${root}/${folder}" DIRECTORY)
  file(MAKE_DIRECTORY "${parent}")
  file(CREATE_LINK "${CMAKE_SOURCE_DIR}/${folder}" "${root}/${folder}" SYMBOLIC)
  target_include_directories(${target} PUBLIC "${root}")
endfunction()
