// The radio commands of tarsel-cli against the tarsel-radiosim program: transfers, verified
// writes, automatic backups and Ctrl+C from a terminal.
#include "runcli.h"

#include "core/radiolink/posixserialport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

namespace tarsel {
namespace {

using test::CRadioProcess;
using test::FileText;
using test::Lines;
using test::LoadImage;

class CliRadioTest : public test::CCliTest {
protected:
    std::string memory = (dir / "radio.dat").string();
    test::CEnvironment dataHome{"XDG_DATA_HOME", (dir / "data").string()};
    std::filesystem::path backups = dir / "data" / "tarsel" / "backups";

    CRadioProcess StartRadio(std::vector<std::string> faults = {}) {
        return CRadioProcess::Saving(memory, std::move(faults));
    }
    // The backups listed by the command, newest first: time, kind, size, path.
    std::vector<std::vector<std::string>> Listed() {
        const auto result = Cli({"backups"});
        EXPECT_EQ(result.status, 0) << result.err;
        std::vector<std::vector<std::string>> rows;
        for (const std::string& line : Lines(result.out)) rows.push_back(Lines(line, '\t'));
        return rows;
    }
};

TEST_F(CliRadioTest, ReadMakesOrUpdatesTheFile) {
    const CMemoryImage radioMemory = test::RandomImage(21), existing = test::RandomImage(22);
    ASSERT_FALSE(SaveDataFile(memory, radioMemory));
    ASSERT_FALSE(SaveDataFile(dir / "old.dat", existing));
    CRadioProcess radio = StartRadio();

    for (const char* name : {"new.dat", "old.dat"}) {
        const auto result = Cli({"read", "--port", radio.Device(), (dir / name).string()});
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.err, ""); // no bar when stderr is not a terminal
    }
    const CMemoryImage fresh = LoadImage(dir / "new.dat"), updated = LoadImage(dir / "old.dat");
    const CMemoryImage blank = BuildDefaultImage();
    for (std::size_t i = 0; i < CMemoryImage::kSize; ++i) {
        ASSERT_EQ(fresh[i], test::InClone(i) ? radioMemory[i] : blank[i]) << i;
        ASSERT_EQ(updated[i], test::InClone(i) ? radioMemory[i] : existing[i]) << i;
    }
    // Each read is kept as the file it left, newest first; none when asked for none.
    ASSERT_EQ(Cli({"read", "--port", radio.Device(), (dir / "c.dat").string(), "--no-backup"})
                  .status,
              0);
    const auto rows = Listed();
    ASSERT_EQ(rows.size(), 2u);
    for (const auto& row : rows) {
        ASSERT_EQ(row.size(), 4u);
        EXPECT_EQ(row[0].size(), std::string("2024-05-01 13:45:09").size()) << row[0];
        EXPECT_EQ(row[1], "read");
        EXPECT_EQ(row[2], "16384");
        EXPECT_EQ(std::filesystem::path(row[3]).parent_path(), backups);
    }
    EXPECT_TRUE(FileText(rows[0][3]) == FileText(dir / "old.dat"));
    EXPECT_TRUE(FileText(rows[1][3]) == FileText(dir / "new.dat"));
}

TEST_F(CliRadioTest, FailuresNameTheMessageThenTheCauseAndLeaveFilesAlone) {
    ASSERT_FALSE(SaveDataFile(dir / "old.dat", test::RandomImage(23)));
    const std::string before = FileText(dir / "old.dat");
    // The cause texts of every fault are the core's; here only how each kind of command reports
    // one.
    const struct {
        std::vector<std::string> faults;
        std::string command;
        const char* cause;
    } cases[] = {
        {{"--silent"}, "read", "no reply to the wake-up after 4 attempts"},
        {{"--ident-length", "12"}, "info", "identification block incomplete: 12 of 32 bytes"},
        {{"--bad-ack", "3"}, "write", "block 0x0060 not acknowledged: reply 0x42, expected 0x41"},
    };
    for (const auto& c : cases) {
        CRadioProcess radio = StartRadio(c.faults);
        std::vector<std::string> args{c.command, "--port", radio.Device()};
        if (c.command != "info") args.push_back((dir / "old.dat").string());
        const auto result = Cli(args);
        EXPECT_EQ(result.status, 1) << c.command;
        EXPECT_EQ(Lines(result.err), (std::vector<std::string>{"通信出错", c.cause}));
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(FileText(dir / "old.dat"), before);
    }
    CRadioProcess radio = StartRadio({"--silent"});
    EXPECT_EQ(Cli({"read", "--port", radio.Device(), (dir / "new.dat").string()}).status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "new.dat"));

    // A file that cannot be read or saved.
    std::ofstream(dir / "short.dat") << "too short";
    CRadioProcess sound = StartRadio();
    EXPECT_EQ(Cli({"read", "--port", sound.Device(), (dir / "short.dat").string()}).status, 1);
    EXPECT_EQ(FileText(dir / "short.dat"), "too short");
    const auto nowhere = Cli({"read", "--port", sound.Device(), (dir / "no/a.dat").string()});
    EXPECT_EQ(nowhere.status, 1);
    EXPECT_NE(nowhere.err.find("no such folder"), std::string::npos) << nowhere.err;
}

TEST_F(CliRadioTest, WriteAndInitSendTheNormalisedImage) {
    const CMemoryImage file = test::RandomImage(24);
    ASSERT_FALSE(SaveDataFile(dir / "a.dat", file));
    const CMemoryImage expected = test::Normalised(file);
    ASSERT_NE(expected, file);

    for (const bool init : {false, true}) {
        std::filesystem::remove(memory);
        CRadioProcess radio = StartRadio();
        std::vector<std::string> args{"write", "--port", radio.Device(), (dir / "a.dat").string()};
        if (init) args = {"init", args[1], args[2], args[3], "--service-password", "mr274q"};
        const auto result = Cli(args);
        ASSERT_EQ(result.status, 0) << result.err;
        radio.Stop();
        const CMemoryImage sent = LoadImage(memory);
        for (std::size_t i = 0; i < CMemoryImage::kSize; ++i)
            ASSERT_EQ(sent[i], init || test::InClone(i) ? expected[i] : 0xFF) << i;
        EXPECT_EQ(LoadImage(dir / "a.dat"), file);
    }
    // What was sent is kept; nothing when the radio refuses before the first block.
    CRadioProcess refusing({"--start-ack", "0"});
    ASSERT_EQ(Cli({"write", "--port", refusing.Device(), (dir / "a.dat").string()}).status, 1);
    const auto rows = Listed();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][1], "init");
    EXPECT_EQ(rows[1][1], "write");
    EXPECT_TRUE(LoadImage(rows[0][3]) == expected && LoadImage(rows[1][3]) == expected);
}

// The radio's own name for its device (--link), as a user would map it.
TEST_F(CliRadioTest, InfoPrintsFourLinesFromThePortOfTheSettingsFile) {
    const auto link = dir / "cable";
    CRadioProcess radio = StartRadio({"--firmware", "1.2", "--band-b", "400-520", "--link", link});
    std::ofstream(settings) << "[Setup]\nCOM=12\n[Ports]\nCOM12=" << link.string()
                            << "\n[Version]\nv1=V1.5\nv1.2=V2.0\n";
    const auto result = Cli({"info"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(Lines(result.out), (std::vector<std::string>{"MCU版本\tv1.2", "PC版本\tV2.0",
                                                           "A段\t136\t174", "B段\t400\t520"}));
    const auto byName = Cli({"info", "--port", "\\\\.\\COM12"});
    EXPECT_EQ(byName.out, result.out) << byName.err;
    radio.Stop();
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

TEST_F(CliRadioTest, VerifyCatchesASilentlyCorruptedBlockOnlyWhenAskedFor) {
    const auto file = (dir / "a.dat").string();
    ASSERT_FALSE(SaveDataFile(file, BuildDefaultImage()));
    const struct {
        std::vector<std::string> radio;
        std::string command;
        bool verify;
        int status;
        const char* address; // named on the second line of a failure
    } cases[] = {
        {{}, "write", true, 0, nullptr},
        {{"--corrupt-write", "3:7"}, "write", false, 0, nullptr}, // scripts keep their timing
        {{"--corrupt-write", "3:7"}, "write", true, 1, "0x0067"},
        {{"--corrupt-write", "511:31"}, "init", true, 1, "0x3FFF"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command + (c.radio.empty() ? "" : " " + c.radio[1]));
        CRadioProcess radio(c.radio);
        std::vector<std::string> args{c.command, "--port", radio.Device(), file, "--no-backup"};
        if (c.verify) args.push_back("--verify");
        if (c.command == "init") args.insert(args.end(), {"--service-password", "mr274q"});
        const auto result = Cli(args);
        EXPECT_EQ(result.status, c.status) << result.err;
        if (!c.address) {
            EXPECT_EQ(result.err, "");
            continue;
        }
        const auto lines = Lines(result.err);
        ASSERT_EQ(lines.size(), 2u) << result.err;
        EXPECT_EQ(lines[0], "写入校验失败");
        EXPECT_EQ(lines[1].rfind("1 byte differs: ", 0), 0u) << lines[1];
        EXPECT_NE(lines[1].find(c.address), std::string::npos) << lines[1];
    }
    EXPECT_FALSE(std::filesystem::exists(backups));
}

TEST_F(CliRadioTest, InterruptedReadExitsWith130LeavingTheFileAndThePortFree) {
    const CMemoryImage existing = test::RandomImage(41);
    const struct {
        int signal;
        bool fileExists;
    } cases[] = {{SIGINT, false}, {SIGINT, true}, {SIGTERM, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.signal << (c.fileExists ? " existing" : " new"));
        const auto file = dir / "read.dat";
        std::filesystem::remove(file);
        if (c.fileExists) ASSERT_FALSE(SaveDataFile(file, existing));
        const std::string before = FileText(file);
        // Paced, a whole read takes seconds; the trace shows when the read is under way.
        const auto trace = dir / "trace.txt";
        std::filesystem::remove(trace);
        CRadioProcess radio({"--pace", "--trace", trace.string()});
        test::CChild cli(test::CliPath(),
                         {"--settings", settings, "read", "--port", radio.Device(), file.string()});
        for (int wait = 0; wait < 200 && FileText(trace).size() < 200; ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const auto result = cli.Wait(c.signal);
        EXPECT_EQ(result.status, 130) << result.err;
        EXPECT_EQ(Lines(result.err), std::vector<std::string>{"已取消"});
        EXPECT_EQ(std::filesystem::exists(file), c.fileExists);
        EXPECT_EQ(FileText(file), before);
        CPosixSerialPort port;
        EXPECT_TRUE(port.OpenRadioPort(radio.Device()).Succeeded());
    }
    EXPECT_FALSE(std::filesystem::exists(backups));
}

} // namespace
} // namespace tarsel
