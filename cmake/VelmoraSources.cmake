# Collects the sources of one folder (not its sub-folders) so that new files
# join their library without editing a shared list.
function(velmora_sources out dir)
  file(GLOB found CONFIGURE_DEPENDS "${dir}/*.cpp" "${dir}/*.h")
  set(${out} ${found} PARENT_SCOPE)
endfunction()
