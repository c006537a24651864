# The window program: the library of windows, zestovar_ui, and the program built from main.cpp alone.
find_package(Qt6 REQUIRED COMPONENTS Widgets PrintSupport Network Test)

set(CMAKE_AUTOMOC ON)

add_library(zestovar_ui STATIC ${ZESTOVAR_UI_SOURCES})
target_link_libraries(zestovar_ui PUBLIC zestovar_core zestovar_flags Qt6::Widgets Qt6::PrintSupport)

# The splash, logo and default pictures are drawn at build time and compiled in.
set_source_files_properties(${ZESTOVAR_ARTWORK_FILES} PROPERTIES GENERATED TRUE)
qt_add_resources(zestovar_ui zestovar_artwork_resources
  PREFIX "/artwork"
  BASE ${ZESTOVAR_ARTWORK_DIR}
  FILES ${ZESTOVAR_ARTWORK_FILES}
  OUTPUT_TARGETS zestovar_ui_resource_targets)
add_dependencies(zestovar_ui zestovar_artwork)
foreach(resource_target ${zestovar_ui_resource_targets})
  add_dependencies(${resource_target} zestovar_artwork)
endforeach()

add_executable(zestovar ${CMAKE_CURRENT_SOURCE_DIR}/app/main.cpp)
target_link_libraries(zestovar PRIVATE zestovar_ui)
set_target_properties(zestovar PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ZESTOVAR_PROGRAM_DIR})
