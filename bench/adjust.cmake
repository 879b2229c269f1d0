# One slider step of the "Edit Image" window on a 24-megapixel picture against memcpy,
# and the preview's repaint.
add_executable(adjust_bench ${CMAKE_CURRENT_LIST_DIR}/adjust_bench.cpp)
target_link_libraries(adjust_bench PRIVATE paginor_adjust_ui paginor_page_edit paginor_page_commands Qt6::Widgets)
