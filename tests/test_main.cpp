#include "platform.h"

#include <gtest/gtest.h>

namespace kvelmora
{

int RunProgram(int argc, char* argv[])
{
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
} // namespace kvelmora
