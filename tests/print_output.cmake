# PDF pages and unattended batches, through the program itself, checked with poppler's
# tools and the CUPS queue PDF.
paginor_gtest(print_output_test SOURCES print_output_test.cpp LIBS Qt6::Gui Cups::Cups)
add_dependencies(print_output_test paginor)
target_compile_definitions(print_output_test PRIVATE PAGINOR_EXE="$<TARGET_FILE:paginor>")
