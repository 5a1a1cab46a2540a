# cmake -DSOURCE=<file> -DDESTINATION=<file> -P CopyIfMissing.cmake
# Copies a file that the user may change afterwards: an existing one is kept.
if(NOT EXISTS "${DESTINATION}")
  file(COPY_FILE "${SOURCE}" "${DESTINATION}")
endif()
