# Quintar is under the MIT licence (share/doc/quintar/copyright).
set(Quintar_LICENSE MIT)

include(${CMAKE_CURRENT_LIST_DIR}/QuintarTargets.cmake)

# The Qt widget, where it was built: find_package(Quintar CONFIG COMPONENTS Widget).
if("Widget" IN_LIST Quintar_FIND_COMPONENTS)
  if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/QuintarWidgetTargets.cmake)
    include(CMakeFindDependencyMacro)
    find_dependency(Qt6 COMPONENTS Widgets)
    include(${CMAKE_CURRENT_LIST_DIR}/QuintarWidgetTargets.cmake)
    set(Quintar_Widget_FOUND TRUE)
  else()
    set(Quintar_Widget_FOUND FALSE)
    if(Quintar_FIND_REQUIRED_Widget)
      set(Quintar_FOUND FALSE)
      set(Quintar_NOT_FOUND_MESSAGE "this Quintar was built without the Qt widget")
    endif()
  endif()
endif()
