// tarsel-cli writing several tarsel-radiosim programs at once.
#include "runcli.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <memory>

namespace tarsel {
namespace {

using test::CRadioProcess;
using test::Lines;

class CliManyRadiosTest : public test::CCliTest {
protected:
    void SetUp() override { ASSERT_FALSE(SaveDataFile(file, test::RandomImage(41))); }

    std::string Memory(std::size_t i) const { return dir / ("radio" + std::to_string(i)); }
    std::unique_ptr<CRadioProcess> StartRadio(std::size_t i, std::vector<std::string> faults = {}) {
        faults.insert(faults.begin(), {"--memory", Memory(i), "--save-on-exit"});
        return std::make_unique<CRadioProcess>(faults);
    }
    std::size_t Backups() const {
        std::error_code error;
        const std::filesystem::directory_iterator files(dir / "data/tarsel/backups", error);
        return error ? 0 : static_cast<std::size_t>(std::distance(files, {}));
    }
    // Every COMn leads to a path with nothing behind it, unless given here.
    void MapPorts(const std::map<int, std::string>& devices) {
        std::ofstream out(settings);
        out << "[Ports]\n";
        for (int n = 1; n <= 16; ++n) {
            const auto mapped = devices.find(n);
            out << "COM" << n << "="
                << (mapped != devices.end() ? mapped->second : (dir / "none").string()) << "\n";
        }
    }

    test::CEnvironment dataHome{"XDG_DATA_HOME", (dir / "data").string()};
    std::string file = (dir / "a.dat").string();
    CMemoryImage expected = test::Normalised(test::RandomImage(41));
};

TEST_F(CliManyRadiosTest, AFaultyRadioFailsAloneAndEveryMemoryIsChecked) {
    struct Case {
        const char* name;
        std::vector<std::string> fault; // on the fourth radio
        std::vector<std::string> extra;
        std::string line;     // the fourth radio's result after its port
        std::size_t keptUpTo; // the fourth radio holds the image sent below this address
    } cases[] = {
        {"pulled cable", {"--hang-up", "5"}, {},
         "通信出错\tblock 0x00A0 not acknowledged: no reply", 0x00A0},
        {"other bytes read back", {"--corrupt-write", "2:5"}, {"--verify"},
         "写入校验失败\t0x0045", CMemoryImage::kSize},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (std::size_t i = 0; i < 4; ++i) std::filesystem::remove(Memory(i));
        std::vector<std::unique_ptr<CRadioProcess>> radios;
        for (std::size_t i = 0; i < 4; ++i)
            radios.push_back(StartRadio(i, i == 3 ? c.fault : std::vector<std::string>{}));
        std::vector<std::string> args{"write"};
        for (const auto& radio : radios) args.insert(args.end(), {"--port", radio->Device()});
        args.push_back(file);
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        const std::size_t backupsBefore = Backups();

        const auto result = Cli(args);

        EXPECT_EQ(result.status, 1) << result.err;
        EXPECT_EQ(result.err, ""); // no progress when stderr is not a terminal
        const std::vector<std::string> lines = Lines(result.out);
        ASSERT_EQ(lines.size(), 4u) << result.out;
        for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(lines[i], radios[i]->Device() + "\t完成");
        EXPECT_EQ(lines[3], radios[3]->Device() + "\t" + c.line);
        EXPECT_EQ(Backups(), backupsBefore + 1) << "one backup of the image sent per run";

        for (std::size_t i = 0; i < 4; ++i) {
            radios[i]->Stop();
            const CMemoryImage memory = test::LoadImage(Memory(i));
            const std::size_t upTo = i == 3 ? c.keptUpTo : CMemoryImage::kSize;
            std::size_t wrong = 0;
            for (std::size_t a = 0; a < CMemoryImage::kSize; ++a)
                wrong += memory[a] != (test::InClone(a) && a < upTo ? expected[a] : 0xFF);
            // The corrupted byte is the one difference the verification found.
            EXPECT_EQ(wrong, i == 3 && c.extra.size() ? 1u : 0u) << "radio " << i;
        }
    }
}

TEST_F(CliManyRadiosTest, AllPortsAreThoseThatOpen) {
    MapPorts({});
    const auto none = Cli({"write", "--ports", "all", file});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out, "");
    const auto message = Lines(none.err);
    ASSERT_EQ(message.size(), 2u) << none.err;
    EXPECT_EQ(message[0], "无法打开串口");
    EXPECT_NE(message[1].find("no programming cable found"), std::string::npos) << message[1];

    auto first = StartRadio(0), second = StartRadio(1);
    MapPorts({{3, first->Device()}, {12, second->Device()}});
    const auto all = Cli({"init", "--ports", "all", file, "--service-password", "mr274q"});
    EXPECT_EQ(all.status, 0) << all.err;
    EXPECT_EQ(Lines(all.out), (std::vector<std::string>{"COM3\t完成", "\\\\.\\COM12\t完成"}));
    for (auto* radio : {first.get(), second.get()}) radio->Stop();
    for (std::size_t i = 0; i < 2; ++i) EXPECT_EQ(test::LoadImage(Memory(i)), expected) << i;
}

} // namespace
} // namespace tarsel
