include(${CMAKE_CURRENT_LIST_DIR}/QuintarTargets.cmake)
