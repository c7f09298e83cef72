// tarsel-cli laid out as an installation: bin/ beside share/tarsel/, no writable program folder.
// (The settings of an installed program are checked on the package itself, in CI.)
#include "runcli.h"

#include "../core/testimage.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>

namespace tarsel {
namespace {

namespace fs = std::filesystem;
using test::CTempDir;
using test::LoadImage;

class CInstalledCli : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(prefix_ / "bin");
        fs::create_directories(Shared());
        fs::copy_file(test::CliPath(), prefix_ / "bin/tarsel-cli");
    }
    fs::path Shared() const { return prefix_ / "share/tarsel"; }
    fs::path User() const { return home_ / "config/tarsel"; }
    test::CCliResult Run(const std::vector<std::string>& args) const {
        return test::RunProgram(prefix_ / "bin/tarsel-cli", args);
    }

    CTempDir prefix_, home_;
    test::CEnvironment config_{"XDG_CONFIG_HOME", (home_ / "config").string()};
};

void Fill(const fs::path& path, char value) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << std::string(100, value);
}

TEST_F(CInstalledCli, DefaultDatFromTheUserFirstThenTheInstallation) {
    const struct {
        const char* name;
        std::optional<char> user, shared;
        uint8_t expected;
    } cases[] = {
        {"neither: the built-in image", {}, {}, 0xFF},
        {"shipped only", {}, '\x22', 0x22},
        {"the user's wins", '\x33', '\x22', 0x33},
        {"the user's alone", '\x33', {}, 0x33},
    };
    for (const auto& c : cases) {
        fs::remove(User() / "Default.dat");
        fs::remove(Shared() / "Default.dat");
        if (c.user) Fill(User() / "Default.dat", *c.user);
        if (c.shared) Fill(Shared() / "Default.dat", *c.shared);
        const auto result = Run({"new", home_ / "new.dat"});
        ASSERT_EQ(result.status, 0) << c.name << ": " << result.err;
        EXPECT_EQ(LoadImage(home_ / "new.dat")[0], c.expected) << c.name;
        EXPECT_FALSE(fs::exists(prefix_ / "bin/Default.dat")) << c.name;
    }
}

} // namespace
} // namespace tarsel
