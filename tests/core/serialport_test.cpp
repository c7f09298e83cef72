#include "core/radiolink/serialport.h"

#include "fakeport.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace tarsel {
namespace {

TEST(StopwatchTest, CountsMillisecondsOnThePortsClock) {
    struct Case {
        std::int64_t frequency, start, elapsedTicks, expectedMs;
    } cases[] = {
        {3'579'545, 0, 3'579'544, 999}, // truncates
        {3'579'545, 0, 3'579'545, 1000},
        {1000, -5, 150, 150},
        {3'000'000'000, 1'000'000'000'000, 2'999'999, 0}, // multiplies before dividing
        {3'000'000'000, 1'000'000'000'000, 3'000'000, 1},
        {4'000'000'000, 0, 4'000'000'000LL * 3600, 3'600'000}, // an hour at 4 GHz
    };
    for (const Case& c : cases) {
        test::CFakePort port;
        port.frequency = c.frequency;
        port.nowUs = c.start;
        Stopwatch stopwatch(port);
        stopwatch.Start();
        port.nowUs = c.start + c.elapsedTicks;
        EXPECT_EQ(stopwatch.ElapsedMs(), c.expectedMs) << c.frequency << " " << c.elapsedTicks;
    }
}

TEST(OpenFailureTest, NamesTheDeviceOrThePortAndTheCause) {
    COpenResult result;
    result.portName = "COM0";
    result.failure = EOpenFailure::NoPortConfigured;
    EXPECT_EQ(DescribeOpenFailure(result), "no port configured (COM0)");
    result.portName = "COM1";
    result.device = "/dev/ttyUSB0";
    result.failure = EOpenFailure::PermissionDenied;
    result.group = "dialout";
    EXPECT_EQ(DescribeOpenFailure(result),
              "/dev/ttyUSB0: permission denied: add your user to the dialout group");
    result.failure = EOpenFailure::SystemError;
    result.error = EIO;
    EXPECT_EQ(DescribeOpenFailure(result), "/dev/ttyUSB0: Input/output error");
}

} // namespace
} // namespace tarsel
