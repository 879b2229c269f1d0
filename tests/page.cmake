paginor_gtest(page_test SOURCES page_test.cpp LIBS paginor_page)
