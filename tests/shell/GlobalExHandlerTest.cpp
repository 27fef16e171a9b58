#include "shell/GlobalExHandler.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace {

TEST(GlobalExHandlerTest, WhatAStepThrowsEndsThatStepOnly)
{
    int after = 0;
    EXPECT_FALSE(TGlobalExHandler::Guarded("test", [&after] {
        throw std::runtime_error("broken");
        ++after;
    }));
    EXPECT_FALSE(TGlobalExHandler::Guarded("test", [] { throw 42; }));
    EXPECT_TRUE(TGlobalExHandler::Guarded("test", [&after] { ++after; }));
    EXPECT_EQ(after, 1);
}

} // namespace
