#include "core/image/modelform.h"

#include "core/image/bcd.h"
#include "core/image/datafile.h"

#include <gtest/gtest.h>

namespace tarsel {
namespace {

TEST(ModelForm, PairNormalisation) {
    struct Case {
        const char *lower, *upper;
        bool lowerEdited;
        const char *newLower, *newUpper;
    };
    const Case cases[] = {
        {"136", "174", true, "136", "174"},   {"136", "174", false, "136", "174"},
        {"150", "300", true, "150", "174"},   {"170", "160", true, "136", "160"},
        {"170", "160", false, "170", "174"},  {"999", "450", true, "400", "450"},
        {"999", "150", true, "136", "174"},   {"200", "999", false, "200", "260"},
        {"", "", true, "136", "174"},         {"400", "400", true, "400", "520"},
        {"999", "200", true, "200", "260"},   {"520", "999", false, "400", "520"},
        {"1666", "1666", true, "136", "174"}, {"-5", "174", false, "136", "174"},
        {"450", "520", true, "450", "520"},   {"410", "405", false, "410", "520"},
    };
    for (const auto& c : cases) {
        std::string lower = c.lower, upper = c.upper;
        NormaliseBandPair(lower, upper, c.lowerEdited);
        EXPECT_EQ(lower, c.newLower) << c.lower << "/" << c.upper << " " << c.lowerEdited;
        EXPECT_EQ(upper, c.newUpper) << c.lower << "/" << c.upper << " " << c.lowerEdited;
    }
}

TEST(ModelForm, LoadShowsWholeMHzAndStoreWritesAllFour) {
    CBandLimits limits{{13612500, 40000000}, {17400000, 48000000}};
    CModelFields fields = LoadModelFields(limits, "TZ-316");
    EXPECT_EQ(fields, (CModelFields{"TZ-316", "136", "174", "400", "480"}));
    CMemoryImage image = BuildDefaultImage();
    StoreModelFields(fields, limits, image);
    EXPECT_EQ(limits.low[0], 13600000) << "not whole MHz: stored back whole";
    EXPECT_EQ(DecodeFrequencyField(image.Field<4>(0x2E10)), 13600000);
    EXPECT_EQ(DecodeFrequencyField(image.Field<4>(0x2E1C)), 48000000);
    EXPECT_NE(image[0x2E13], 0xFF) << "no pair is blank afterwards";
    EXPECT_NE(image[0x2E1B], 0xFF);
}

TEST(ModelForm, ALoadedValueIsShownWhole) {
    const CBandLimits damaged{{166666665, 40000000}, {166666665, 48000000}};
    CModelFields fields = LoadModelFields(damaged, "");
    EXPECT_EQ(fields.aLow, "1666");
    CBandLimits limits = damaged;
    CMemoryImage image;
    StoreModelFields(fields, limits, image);
    EXPECT_EQ(fields.aLow, "136");
    EXPECT_EQ(fields.aHigh, "174");
}

} // namespace
} // namespace tarsel
