# Batch printing of hundreds of files through the main window, for bench/batch_soak.sh.
add_executable(paginor_batch_soak ${CMAKE_CURRENT_LIST_DIR}/batch_soak_main.cpp)
target_link_libraries(paginor_batch_soak PRIVATE paginor_app)
