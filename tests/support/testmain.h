#pragma once

#include <QObject>

#include <functional>

// Every test folder builds one executable; each tst_*.cpp registers its test
// class under the file's base name. Called with that name as first argument,
// the executable runs only that class (CTest does so); without it, all of them.
namespace TestSupport {

using TestFactory = std::function<QObject *()>;

bool registerTest(const char *sourceFile, TestFactory factory);

} // namespace TestSupport

#define PROJECT_TEST(TestClass)                                                                    \
    static const bool TestClass##Registered = TestSupport::registerTest(                           \
        __FILE__, [] { return static_cast<QObject *>(new TestClass); })
