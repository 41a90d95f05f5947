#pragma once

// QTEST_MAIN and QTEST_GUILESS_MAIN, ending the way the programs end: on
// Windows (under Wine at least) a test whose worker threads decoded pictures
// would otherwise hang in the system's shutdown of its libraries after every
// test had passed.
#include <QTest>

#include "Uscita.h"

#define QUIRLO_TEST_MAIN_WRAPPER(TestObject, ...)                        \
  int main(int argc, char *argv[]) {                                     \
    const int esito = [&]() -> int {                                     \
      QT_PREPEND_NAMESPACE(QTest::Internal::callInitMain)<TestObject>(); \
      __VA_ARGS__                                                        \
      TestObject tc;                                                     \
      QTEST_SET_MAIN_SOURCE_PATH                                         \
      return QTest::qExec(&tc, argc, argv);                              \
    }();                                                                 \
    return quirlo::fineProva(esito);                                     \
  }
#define QUIRLO_TEST_MAIN(TestObject) QUIRLO_TEST_MAIN_WRAPPER(TestObject, QTEST_MAIN_SETUP())
#define QUIRLO_TEST_GUILESS_MAIN(TestObject) QUIRLO_TEST_MAIN_WRAPPER(TestObject, QTEST_QAPP_SETUP(QCoreApplication))
