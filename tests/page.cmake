paginor_gtest(page_test SOURCES page_test.cpp LIBS paginor_page)
paginor_qtest(page_ui_test SOURCES page_ui_test.cpp LIBS paginor_page_ui Qt6::Test)
