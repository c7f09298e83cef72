// A locale whose decimal point is a comma, made for the test run: the C library's locales are
// seldom all installed, and a test that skips for want of one tests nothing. Needs localedef and
// the locale sources (/usr/share/i18n). Sets LOCPATH so that the name below resolves.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include <unistd.h>

namespace tarsel::test {

class CCommaLocale {
public:
    static constexpr const char* kName = "de_DE.UTF-8";

    CCommaLocale() {
        std::string folder = (std::filesystem::temp_directory_path() / "tarsel-locale.XXXXXX");
        if (!::mkdtemp(folder.data())) return;
        folder_ = folder;
        // The German numbers and texts; collation as in "C", which spares most of the build time.
        std::ofstream source(folder_ / "source");
        source << "LC_COLLATE\ncopy \"C\"\nEND LC_COLLATE\n";
        for (const char* category :
             {"LC_CTYPE", "LC_NUMERIC", "LC_MONETARY", "LC_TIME", "LC_MESSAGES", "LC_PAPER",
              "LC_NAME", "LC_ADDRESS", "LC_TELEPHONE", "LC_MEASUREMENT", "LC_IDENTIFICATION"})
            source << category << "\ncopy \"de_DE\"\nEND " << category << "\n";
        source.close();
        const std::string command = "localedef -i '" + (folder_ / "source").string() +
                                    "' -f UTF-8 '" + (folder_ / kName).string() + "' >/dev/null";
        ok_ = std::system(command.c_str()) == 0;
        if (ok_)
            ::setenv("LOCPATH", folder_.c_str(), 1);
        else
            std::fprintf(stderr, "localedef could not make %s\n", kName);
    }
    ~CCommaLocale() {
        std::error_code error;
        if (!folder_.empty()) std::filesystem::remove_all(folder_, error);
    }
    CCommaLocale(const CCommaLocale&) = delete;
    CCommaLocale& operator=(const CCommaLocale&) = delete;

    bool Ok() const { return ok_; }

private:
    std::filesystem::path folder_;
    bool ok_ = false;
};

} // namespace tarsel::test
