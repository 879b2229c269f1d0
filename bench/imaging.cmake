# The pixel kernels in process, against a plain reading and against memcpy; and a
# small driver that times the same operations as whole processes.
if(benchmark_FOUND)
  add_executable(imaging_kernels_bench ${CMAKE_CURRENT_LIST_DIR}/imaging_kernels_bench.cpp)
  target_link_libraries(imaging_kernels_bench PRIVATE paginor_imaging paginor_imaging_reference benchmark::benchmark)
endif()
