# Runs at every build of brimo_core: fails when a core file includes a header
# of QtWidgets or QtGui (the core draws nothing and must stay testable alone).
add_custom_target(brimo_core_layer_check
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR}/src/core
          -P ${CMAKE_SOURCE_DIR}/cmake/CheckCoreIncludes.cmake
  COMMENT "Checking that the core includes no widget header")
