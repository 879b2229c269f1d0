// support::fail for Qt Test programs.
#include "tests/support/process.h"

#include <QTest>

void support::fail(const std::string& why)
{
    QTest::qFail(why.c_str(), __FILE__, __LINE__);
}
