// The engine tests' page: one window, the tests, and the exit status as the
// last line, which run-in-chromium reads from the console.
#include <gtest/gtest.h>

#include <cstdio>

#include "facade.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    cria_janela(495, 620, 200, 200);
    const int status = RUN_ALL_TESTS();
    std::printf("calc-web-tests exit %d\n", status);
    return status;
}
