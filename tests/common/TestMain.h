#pragma once

#include <QApplication>
#include <QTest>

template <typename TestClass> int RunTestClass(int argc, char** argv)
{
    TestClass test;
    return QTest::qExec(&test, argc, argv);
}

// Runs several test classes in one executable; the exit status is non-zero
// when any of them failed.
template <typename... TestClasses> int RunTestClasses(int argc, char** argv)
{
    int nStatus = 0;
    ((nStatus |= RunTestClass<TestClasses>(argc, argv)), ...);
    return nStatus;
}

#define ORVALA_TEST_MAIN(...)                                                                      \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        QApplication app(argc, argv);                                                              \
        return RunTestClasses<__VA_ARGS__>(argc, argv);                                            \
    }

#define ORVALA_TEST_GUILESS_MAIN(...)                                                              \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        QCoreApplication app(argc, argv);                                                          \
        return RunTestClasses<__VA_ARGS__>(argc, argv);                                            \
    }
