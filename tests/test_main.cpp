#include "platform.h"

#include <gtest/gtest.h>

int RunProgram(int argc, char* argv[])
{
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
