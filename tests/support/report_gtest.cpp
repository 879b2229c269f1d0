// support::fail for GoogleTest programs.
#include "tests/support/process.h"

#include <gtest/gtest.h>

void support::fail(const std::string& why)
{
    ADD_FAILURE() << why;
}
