# The pixel kernels in process (against their plain reading and against memcpy), and
# `paginor edit` as a process of its own for bench/imaging_vs_peers.sh.
add_executable(paginor_edit ${CMAKE_CURRENT_LIST_DIR}/imaging_edit_main.cpp)
target_link_libraries(paginor_edit PRIVATE paginor_imaging_cli paginor_messages paginor_settings)

if(benchmark_FOUND)
  add_executable(imaging_kernels_bench ${CMAKE_CURRENT_LIST_DIR}/imaging_kernels_bench.cpp)
  target_link_libraries(imaging_kernels_bench PRIVATE paginor_imaging paginor_imaging_reference benchmark::benchmark)
endif()
