// export-csv and import-csv as a user runs them: exit statuses, messages, files left alone.
#include "runcli.h"

#include "../core/testimage.h"
#include "core/image/datafile.h"

#include <gtest/gtest.h>

#include <fstream>

namespace tarsel {
namespace {

using test::CTempDir;
using test::Lines;
using test::LoadImage;
using test::RunCli;

TEST(CliInterchange, ImportStatusesAndMessages) {
    struct Case {
        const char* what;
        std::vector<std::string> options;
        const char* list;
        int status;
        std::vector<std::string> errLines; // the lines before any closing "tarsel-cli:" line
        bool changed;
    };
    const Case cases[] = {
        {"good", {}, "Location,Frequency,Name\n1,145.5,HOME\n", 0, {}, true},
        {"warning only",
         {},
         "Location,Frequency\n1,145.1234\n",
         0,
         {"line 2: Frequency: receive 145.123400 MHz is off the channel raster; taken as "
          "145.120000 MHz"},
         true},
        {"row error refuses all",
         {},
         "Location,Frequency\n1,145.5\n2,145.5\n2,146\n",
         1,
         {"line 4: Location: 2 is already used by line 3"},
         false},
        {"skip bad",
         {"--skip-bad"},
         "Location,Frequency\n1,145.5\n2,12\n",
         0,
         {"line 3: Frequency: receive 12.000000 MHz is outside the bands (136.000000-174.000000 "
          "and 400.000000-480.000000 MHz)"},
         true},
        {"first", {"--first", "128"}, "Location,Frequency\n9,145.5\n9,145.6\n", 0, {}, true},
    };
    for (const Case& c : cases) {
        CTempDir dir;
        ASSERT_EQ(RunCli({"new", dir / "a.dat"}).status, 0);
        const CMemoryImage before = LoadImage(dir / "a.dat");
        std::ofstream(dir / "in.csv", std::ios::binary) << c.list;
        std::vector<std::string> args{"import-csv", dir / "a.dat", dir / "in.csv"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const auto result = RunCli(args);
        EXPECT_EQ(result.status, c.status) << c.what << "\n" << result.err;
        std::vector<std::string> lines;
        for (const auto& line : Lines(result.err))
            if (!line.starts_with("tarsel-cli:")) lines.push_back(line);
        EXPECT_EQ(lines, c.errLines) << c.what;
        EXPECT_EQ(LoadImage(dir / "a.dat") != before, c.changed) << c.what;
    }
}

TEST(CliInterchange, ExportToStdoutAndFileAgreeAndReimport) {
    CTempDir dir;
    ASSERT_EQ(RunCli({"new", dir / "a.dat"}).status, 0);
    ASSERT_EQ(RunCli({"set-channel", dir / "a.dat", "B5", "--rx", "439.1", "--tx", "431.5",
                      "--rx-tone", "88.5", "--tx-tone", "88.5", "--name", "RPT,B"})
                  .status,
              0);
    const auto out = RunCli({"export-csv", dir / "a.dat"});
    ASSERT_EQ(out.status, 0) << out.err;
    const auto lines = Lines(out.out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1],
              "133,\"RPT,B\",439.100000,-,7.600000,TSQL,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,"
              ",5.0W,,,,,");
    ASSERT_EQ(RunCli({"export-csv", dir / "a.dat", dir / "out.csv"}).status, 0);
    EXPECT_EQ(test::FileText(dir / "out.csv"), out.out);

    ASSERT_EQ(RunCli({"new", dir / "b.dat"}).status, 0);
    ASSERT_EQ(RunCli({"import-csv", dir / "b.dat", dir / "out.csv", "--clear"}).status, 0);
    EXPECT_EQ(RunCli({"export-csv", dir / "b.dat"}).out, out.out);
}

} // namespace
} // namespace tarsel
