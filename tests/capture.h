// Runs a function with standard output and standard error captured.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

struct Captured {
    long long result;
    std::string out;
    std::string err;
};

template <typename F>
Captured captureOutput(F f) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const long long result = f();
    std::fflush(stdout);
    std::fflush(stderr);
    Captured c{result, testing::internal::GetCapturedStdout(),
               testing::internal::GetCapturedStderr()};
    return c;
}
