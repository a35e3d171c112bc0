# cmake -DSOURCE=<file> -DTARGET=<file> -P CopyIfMissing.cmake
# Copies SOURCE to TARGET only when TARGET does not exist: a data file the program has
# changed since (such as a new password) is never replaced by a rebuild.
if(NOT EXISTS "${TARGET}")
  get_filename_component(folder "${TARGET}" DIRECTORY)
  file(MAKE_DIRECTORY "${folder}")
  file(COPY_FILE "${SOURCE}" "${TARGET}")
endif()
