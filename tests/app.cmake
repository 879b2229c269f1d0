paginor_gtest(command_line_test SOURCES command_line_test.cpp LIBS paginor_messages Qt6::Gui Cups::Cups)
add_dependencies(command_line_test paginor)
target_compile_definitions(command_line_test PRIVATE PAGINOR_EXE="$<TARGET_FILE:paginor>")

# printer_test has its own main (it needs a QApplication).
add_executable(printer_test printer_test.cpp)
target_link_libraries(printer_test PRIVATE GTest::gtest paginor_printer Qt6::Widgets)
gtest_discover_tests(printer_test DISCOVERY_TIMEOUT 120 PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")

paginor_qtest(main_window_test SOURCES main_window_test.cpp LIBS paginor_app)
add_dependencies(main_window_test paginor_twaindsm)
# Load from TWAIN twenty times with the machine's own SANE configuration.
add_test(NAME main_window_system_sane
  COMMAND main_window_test loadFromTwainTwentyTimesKeepsDescriptorsFlatAndTheWindowPainting)
set_tests_properties(main_window_system_sane PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;PAGINOR_SYSTEM_SANE=1")

# The one test that needs a real X server: scripts/test.sh starts Xvfb and names its display.
add_executable(main_window_screenshot_test main_window_screenshot_test.cpp)
target_link_libraries(main_window_screenshot_test PRIVATE paginor_app Qt6::Test)
target_compile_definitions(main_window_screenshot_test PRIVATE PAGINOR_BUILD_DIR="${CMAKE_BINARY_DIR}")
add_test(NAME main_window_screenshot_test COMMAND main_window_screenshot_test)
set_tests_properties(main_window_screenshot_test PROPERTIES SKIP_RETURN_CODE 77)

# The window at pixel ratios 1 and 2: pictures and icons at the screen's own pixels.
paginor_qtest(hidpi_test SOURCES hidpi_test.cpp LIBS paginor_app)
add_test(NAME hidpi_test_scale2 COMMAND hidpi_test)
set_tests_properties(hidpi_test PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=1")
set_tests_properties(hidpi_test_scale2 PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=2")

# The program under hostile conditions: pages no printer has, tall scans, frames off the
# paper, and a private cupsd whose queues stop, hold jobs or lose their server mid-run.
paginor_gtest(print_faults_test SOURCES print_faults_test.cpp LIBS Qt6::Gui)
add_dependencies(print_faults_test paginor)
target_compile_definitions(print_faults_test PRIVATE PAGINOR_EXE="$<TARGET_FILE:paginor>")

# The window in another language, the headless commands still in English.
# Run under a German and a French locale (scripts/setup.sh generates both).
paginor_qtest(translation_test SOURCES translation_test.cpp LIBS paginor_app)
add_dependencies(translation_test paginor)
if(TARGET paginor_qm)
  add_dependencies(translation_test paginor_qm)
endif()
target_compile_definitions(translation_test PRIVATE
  PAGINOR_EXE="$<TARGET_FILE:paginor>" PAGINOR_LRELEASE="${PAGINOR_LRELEASE}")
set_tests_properties(translation_test PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=de_DE.UTF-8;LC_ALL=de_DE.UTF-8;LANGUAGE=de")
add_test(NAME translation_test_fr COMMAND translation_test)
set_tests_properties(translation_test_fr PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=fr_FR.UTF-8;LC_ALL=fr_FR.UTF-8;LANGUAGE=fr")

# The monkey: seeded random user actions in the window, checked after every one. One run
# with a fixed seed and one with a seed from the clock (printed, for replaying); each runs
# PAGINOR_MONKEY_SECONDS (20 s unless set; the sanitizer suite gives it a minute).
add_executable(monkey_test monkey_test.cpp)
target_link_libraries(monkey_test PRIVATE paginor_app Qt6::Test Qt6::GuiPrivate)
add_test(NAME monkey_fixed_seed COMMAND monkey_test --seed 20261208)
add_test(NAME monkey_clock_seed COMMAND monkey_test --seed time)
set_tests_properties(monkey_fixed_seed monkey_clock_seed PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
