// Where "new" finds Default.dat, by where the program is: beside a copy that may write its folder,
// else the user's folder before the installation's share/tarsel, else the built-in image.
// (The settings of an installed program are checked on the package itself, in CI.)
#include "runcli.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>

namespace tarsel {
namespace {

namespace fs = std::filesystem;

void Fill(const fs::path& path, char value) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << std::string(100, value);
}

TEST(CliInstalled, DefaultDatFromWhereTheProgramIs) {
    test::CTempDir prefix, home, copy;
    test::CEnvironment config{"XDG_CONFIG_HOME", (home / "config").string()};
    const fs::path program = prefix / "bin/tarsel-cli", user = home / "config/tarsel/Default.dat",
                   shared = prefix / "share/tarsel/Default.dat";
    fs::create_directories(prefix / "bin");
    fs::create_directories(shared.parent_path());
    fs::copy_file(test::CliPath(), program);
    fs::copy_file(test::CliPath(), copy / "tarsel-cli");
    Fill(copy / "Default.dat", '\x11');
    const struct {
        const char* name;
        std::optional<char> user, shared;
        uint8_t expected;
    } cases[] = {
        {"neither: the built-in image", {}, {}, 0xFF},
        {"shipped only", {}, '\x22', 0x22},
        {"the user's wins", '\x33', '\x22', 0x33},
    };
    for (const auto& c : cases) {
        fs::remove(user);
        fs::remove(shared);
        if (c.user) Fill(user, *c.user);
        if (c.shared) Fill(shared, *c.shared);
        const auto result = test::RunProgram(program, {"new", home / "new.dat"});
        ASSERT_EQ(result.status, 0) << c.name << ": " << result.err;
        EXPECT_EQ(test::LoadImage(home / "new.dat")[0], c.expected) << c.name;
        EXPECT_FALSE(fs::exists(prefix / "bin/Default.dat")) << c.name;
    }
    // A copy in a folder of its own: the file beside it, which is only 100 bytes long.
    ASSERT_EQ(test::RunProgram(copy / "tarsel-cli", {"new", copy / "a.dat"}).status, 0);
    const CMemoryImage image = test::LoadImage(copy / "a.dat");
    EXPECT_EQ(image[99], 0x11);
    EXPECT_EQ(image[100], 0xFF);
}

} // namespace
} // namespace tarsel
