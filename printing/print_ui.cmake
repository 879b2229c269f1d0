# The print commands, the CUPS job and the preview window (Qt Widgets, Qt Print Support).
add_library(paginor_print_ui STATIC
  ${CMAKE_CURRENT_LIST_DIR}/print_job.h ${CMAKE_CURRENT_LIST_DIR}/print_job.cpp
  ${CMAKE_CURRENT_LIST_DIR}/print_commands.h ${CMAKE_CURRENT_LIST_DIR}/print_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/preview_form.h ${CMAKE_CURRENT_LIST_DIR}/preview_form.cpp)
target_link_libraries(paginor_print_ui PUBLIC paginor_print paginor_printer paginor_messages Qt6::Widgets Qt6::PrintSupport Cups::Cups)

# `paginor render` and `paginor print`.
add_library(paginor_print_cli STATIC ${CMAKE_CURRENT_LIST_DIR}/print_cli.h ${CMAKE_CURRENT_LIST_DIR}/print_cli.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stop_signals.h ${CMAKE_CURRENT_LIST_DIR}/stop_signals.cpp)
target_link_libraries(paginor_print_cli PUBLIC paginor_print_ui paginor_loading paginor_layout paginor_messages)
set_target_properties(paginor_print_cli PROPERTIES AUTOMOC OFF)
