# A page of large photographs through a layout file, for bench/layout_bench.sh.
add_executable(paginor_layout_bench ${CMAKE_CURRENT_LIST_DIR}/layout_bench_main.cpp)
target_link_libraries(paginor_layout_bench PRIVATE paginor_layout paginor_loading paginor_messages)
