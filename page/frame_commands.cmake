# The commands on frames: the rules over the frame table (core, no Qt) and the window
# side (popup menu, clipboard, other programs).
add_library(paginor_page_commands STATIC
  ${CMAKE_CURRENT_LIST_DIR}/frame_commands.h ${CMAKE_CURRENT_LIST_DIR}/frame_commands.cpp)
target_link_libraries(paginor_page_commands PUBLIC paginor_page PRIVATE paginor_loading paginor_imaging paginor_messages)
set_target_properties(paginor_page_commands PROPERTIES AUTOMOC OFF)

add_library(paginor_page_commands_ui STATIC
  ${CMAKE_CURRENT_LIST_DIR}/frame_commands_ui.h ${CMAKE_CURRENT_LIST_DIR}/frame_commands_ui.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame_commands_pictures.cpp ${CMAKE_CURRENT_LIST_DIR}/frame_commands_ui_parts.h)
target_link_libraries(paginor_page_commands_ui
  PUBLIC paginor_page_commands paginor_page_ui Qt6::Widgets
  PRIVATE paginor_imaging_qt paginor_settings_ui paginor_messages)

# "Edit Image" on the frame table: the frame as the adjustment window's subject and the
# tone table on the selected frames (core), then the command that opens the window.
add_library(paginor_page_edit STATIC
  ${CMAKE_CURRENT_LIST_DIR}/edit_frames.h ${CMAKE_CURRENT_LIST_DIR}/edit_frames.cpp)
target_link_libraries(paginor_page_edit PUBLIC paginor_page paginor_imaging
  PRIVATE paginor_page_commands paginor_loading paginor_messages)
set_target_properties(paginor_page_edit PROPERTIES AUTOMOC OFF)

add_library(paginor_page_edit_ui STATIC ${CMAKE_CURRENT_LIST_DIR}/edit_ui.h ${CMAKE_CURRENT_LIST_DIR}/edit_ui.cpp)
target_link_libraries(paginor_page_edit_ui PUBLIC paginor_page_edit paginor_adjust_ui PRIVATE paginor_messages)
