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

# Widget is the only component: asking for another (Widgets, as Qt spells its
# own) fails here rather than at a target that does not exist.
foreach(component IN LISTS Quintar_FIND_COMPONENTS)
  if(NOT component STREQUAL "Widget" AND Quintar_FIND_REQUIRED_${component})
    set(Quintar_FOUND FALSE)
    set(Quintar_NOT_FOUND_MESSAGE "Quintar has no component ${component}; its one component is Widget")
  endif()
endforeach()
