# Layout files: the archive and the page in and out of it, and the headless commands.
paginor_gtest(layout_test SOURCES layout_test.cpp LIBS paginor_layout paginor_loading)
add_dependencies(layout_test paginor)
target_compile_definitions(layout_test PRIVATE PAGINOR_EXE="$<TARGET_FILE:paginor>")
paginor_qtest(layout_ui_test SOURCES layout_ui_test.cpp LIBS paginor_layout_ui paginor_exif_ui Qt6::Test)
