# Loading a page of large photographs, for bench/loading_bench.sh.
add_executable(paginor_loading_bench ${CMAKE_CURRENT_LIST_DIR}/loading_bench_main.cpp)
target_link_libraries(paginor_loading_bench PRIVATE paginor_load_ui paginor_messages)

# One decode of a HEIF, WebP, JPEG XL or camera RAW file, for bench/decoders_bench.sh.
add_executable(paginor_decoders_bench ${CMAKE_CURRENT_LIST_DIR}/decoders_bench_main.cpp)
target_link_libraries(paginor_decoders_bench PRIVATE paginor_codecs)
