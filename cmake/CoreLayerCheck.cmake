# Runs at every build of brimo_core: fails when a core folder includes one
# that is not below it in the stack, or a core file includes a header of
# QtWidgets or QtGui (the core draws nothing and must stay testable alone).
# scripts/check-layers.sh runs the same check by hand.
add_custom_target(brimo_core_layer_check
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR}/src/core
          -P ${CMAKE_SOURCE_DIR}/cmake/CheckCoreIncludes.cmake
  COMMENT "Checking the core's include stack and that it includes no widget header")
