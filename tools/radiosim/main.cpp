// tarsel-radiosim: a virtual radio on a pseudo-terminal, for trying the programs without hardware.

#include "radiosim/options.h"
#include "radiosim/virtualradio.h"

#include <csignal>
#include <cstdio>
#include <ctime>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

int Serve(const radiosim::CConfig& config) {
    // Blocked before the radio thread starts so that it inherits the mask and the signals wait
    // for sigtimedwait here.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    radiosim::CVirtualRadio radio(config);
    radio.Start();
    std::printf("%s\n", radio.DevicePath().c_str());
    std::fflush(stdout);

    const timespec poll{0, 100'000'000};
    while (sigtimedwait(&signals, nullptr, &poll) < 0) {
        if (radio.HungUp()) {
            std::fprintf(stderr, "tarsel-radiosim: the radio hung up (--hang-up); exiting\n");
            break;
        }
    }
    radio.Stop();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    radiosim::CCommandLine commandLine;
    try {
        commandLine = radiosim::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::invalid_argument& error) {
        std::fprintf(stderr, "tarsel-radiosim: %s\nTry tarsel-radiosim --help.\n", error.what());
        return 2;
    }
    if (commandLine.help) {
        std::fputs(radiosim::UsageText().c_str(), stdout);
        return 0;
    }
    try {
        return Serve(commandLine.config);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tarsel-radiosim: %s\n", error.what());
        return 1;
    }
}
