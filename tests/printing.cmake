paginor_gtest(printing_test SOURCES printing_test.cpp LIBS paginor_print_core paginor_loading)

paginor_qtest(printing_ui_test SOURCES printing_ui_test.cpp LIBS paginor_print_ui paginor_loading Qt6::Test)
# Real printing goes through the CUPS queue and a PDF printer; give it time.
set_tests_properties(printing_ui_test PROPERTIES TIMEOUT 600)
