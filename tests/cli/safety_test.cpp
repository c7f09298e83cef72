// Verified writes, automatic backups and Ctrl+C from a terminal, against tarsel-radiosim.
#include "runcli.h"

#include "core/radiolink/posixserialport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace tarsel {
namespace {

using test::CRadioProcess;
using test::FileText;
using test::Lines;

class CliSafetyTest : public test::CCliTest {
protected:
    test::CEnvironment dataHome{"XDG_DATA_HOME", (dir / "data").string()};
    std::filesystem::path backups = dir / "data" / "tarsel" / "backups";

    // The backups listed by the command, newest first: time, kind, size, path.
    std::vector<std::vector<std::string>> Listed() {
        const auto result = Cli({"backups"});
        EXPECT_EQ(result.status, 0) << result.err;
        std::vector<std::vector<std::string>> rows;
        for (const std::string& line : Lines(result.out)) rows.push_back(Lines(line, '\t'));
        return rows;
    }
};

TEST_F(CliSafetyTest, VerifyCatchesASilentlyCorruptedBlockOnlyWhenAskedFor) {
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

TEST_F(CliSafetyTest, ReadsAndWritesAreBackedUpByteForByteNewestFirst) {
    const CMemoryImage radioMemory = test::RandomImage(31);
    const auto memory = dir / "radio.dat";
    ASSERT_FALSE(SaveDataFile(memory, radioMemory));
    CRadioProcess radio({"--memory", memory.string()});
    const auto file = dir / "a.dat";

    ASSERT_EQ(Cli({"read", "--port", radio.Device(), file.string()}).status, 0);
    const std::string afterRead = FileText(file);
    const CMemoryImage readImage = test::LoadImage(file);
    ASSERT_EQ(Cli({"write", "--port", radio.Device(), file.string()}).status, 0);
    // Skipped on request, and nothing to keep when no block went out.
    ASSERT_EQ(Cli({"read", "--port", radio.Device(), file.string(), "--no-backup"}).status, 0);
    CRadioProcess refusing({"--start-ack", "0"});
    ASSERT_EQ(Cli({"write", "--port", refusing.Device(), file.string()}).status, 1);

    const auto rows = Listed();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][1], "write");
    EXPECT_EQ(rows[1][1], "read");
    for (const auto& row : rows) {
        ASSERT_EQ(row.size(), 4u);
        EXPECT_EQ(row[0].size(), std::string("2024-05-01 13:45:09").size()) << row[0];
        EXPECT_EQ(row[2], "16384");
        EXPECT_EQ(std::filesystem::path(row[3]).parent_path(), backups);
    }
    // The read: the file as the read left it. The write: what was sent, as "写频" prepares it.
    EXPECT_TRUE(FileText(rows[1][3]) == afterRead);
    EXPECT_TRUE(test::LoadImage(rows[0][3]) == test::Normalised(readImage));
}

TEST_F(CliSafetyTest, InterruptedReadExitsWith130LeavingTheFileAndThePortFree) {
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
