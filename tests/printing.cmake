paginor_gtest(printing_test SOURCES printing_test.cpp LIBS paginor_print_core)
include(${CMAKE_CURRENT_LIST_DIR}/printing_ui.cmake OPTIONAL)
