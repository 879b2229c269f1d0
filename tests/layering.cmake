# The pixel layer sits below the page: nothing under imaging/ includes a page/ header.
# grep ends with 1 when it finds nothing, 0 when it lists an offending file, 2 on error.
add_test(NAME Layering.ImagingIncludesNothingFromPage
  COMMAND sh -c "grep -rlE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[\"<]page/' imaging; test $? -eq 1"
  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR})
