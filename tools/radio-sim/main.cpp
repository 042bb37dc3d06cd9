// orx-radio-sim: a simulated radio on a pseudo-terminal, for trying the programming tool without a
// radio. It prints the terminal's device path; give that path to the program as its serial port.

#include "RadioSim.h"

#include "Band.h"
#include "ChannelDataFile.h"
#include "RadioImage.h"
#include "SettingsCodec.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

void usage(std::FILE* out)
{
    std::fputs("usage: orx-radio-sim [--image FILE.sin] [--password DIGITS] [--band LOW-HIGH]\n"
               "                     [--pace] [--turnaround MS] [--save FILE.sin] [--verbose]\n"
               "\n"
               "  --image FILE.sin   start with the radio memory from this channel-data file\n"
               "  --password DIGITS  the radio's password (up to 6 digits; default none)\n"
               "  --band LOW-HIGH    the radio's band in MHz, e.g. 400-470 (default 136-174)\n"
               "  --pace             take as long as a real 9600-baud line\n"
               "  --turnaround MS    wait this long before each reply\n"
               "  --save FILE.sin    write the radio memory to this file on exit\n"
               "  --verbose          print every frame on stderr\n"
               "\n"
               "Prints the pseudo-terminal's device path, then serves until interrupted.\n",
               out);
}

const char* kindName(orx::sim::Frame::Kind kind)
{
    using Kind = orx::sim::Frame::Kind;
    switch (kind) {
    case Kind::WakeUp:
        return "wake-up";
    case Kind::Identify:
        return "identify";
    case Kind::Ack:
        return "ack";
    case Kind::Read:
        return "read";
    case Kind::Write:
        return "write";
    case Kind::QueryPower:
        return "query power";
    case Kind::PrepareWrite:
        return "prepare write";
    case Kind::EndTuning:
        return "end tuning";
    case Kind::Unknown:
        return "unknown";
    }
    return "?";
}

void printBytes(const std::vector<std::uint8_t>& bytes)
{
    for (std::uint8_t b : bytes)
        std::fprintf(stderr, " %02X", b);
}

} // namespace

int main(int argc, char* argv[])
{
    orx::RadioImage image;
    image.data() = orx::sim::RadioSim::DefaultMemory();
    orx::sim::SimOptions options;
    std::string savePath;
    bool verbose = false;

    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> const char* {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "orx-radio-sim: %s needs a value\n", arg.c_str());
                std::exit(2);
            }
            return argv[++i];
        };
        if (arg == "--help" || arg == "-h") {
            usage(stdout);
            return 0;
        } else if (arg == "--image") {
            const char* path = value();
            if (orx::LoadChannelData(path, image) != orx::LoadResult::Ok) {
                std::fprintf(stderr, "orx-radio-sim: cannot read a channel-data file from %s\n", path);
                return 1;
            }
        } else if (arg == "--password") {
            const std::string digits = value();
            if (digits.size() > orx::kPasswordMaxLength ||
                digits.find_first_not_of("0123456789") != std::string::npos) {
                std::fprintf(stderr, "orx-radio-sim: a password is up to 6 digits\n");
                return 2;
            }
            orx::EncodePassword(digits, image);
        } else if (arg == "--band") {
            orx::BandLimits limits;
            if (!orx::ApplyBandText(value(), limits)) {
                std::fprintf(stderr, "orx-radio-sim: a band is LOW-HIGH in MHz, e.g. 136-174\n");
                return 2;
            }
            orx::EncodeBandId(limits, image);
        } else if (arg == "--pace") {
            options.byteTime = orx::sim::kByteTime9600;
        } else if (arg == "--turnaround") {
            char* end = nullptr;
            const long ms = std::strtol(value(), &end, 10);
            if (!end || *end != '\0' || ms < 0 || ms > 10000) {
                std::fprintf(stderr, "orx-radio-sim: --turnaround takes milliseconds (0 to 10000)\n");
                return 2;
            }
            options.turnaround = std::chrono::milliseconds(ms);
        } else if (arg == "--save") {
            savePath = value();
        } else if (arg == "--verbose") {
            verbose = true;
        } else {
            std::fprintf(stderr, "orx-radio-sim: unknown argument %s\n", arg.c_str());
            usage(stderr);
            return 2;
        }
    }

    // The serving threads must not take the stop signals; one thread waits for them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    orx::sim::RadioSim sim(options);
    sim.setMemory(image.data());
    if (!sim.open()) {
        std::fprintf(stderr, "orx-radio-sim: %s\n", sim.error().c_str());
        return 1;
    }
    if (verbose) {
        sim.setFrameObserver([](const orx::sim::Frame& frame, const std::vector<std::uint8_t>& reply) {
            std::fprintf(stderr, "#%d %s:", frame.number, kindName(frame.kind));
            printBytes(frame.bytes);
            std::fputs(" ->", stderr);
            printBytes(reply);
            std::fputc('\n', stderr);
        });
    }
    std::printf("%s\n", sim.devicePath().c_str());
    std::fflush(stdout);
    std::fprintf(stderr, "orx-radio-sim: serving on %s (stop with Ctrl+C)\n", sim.devicePath().c_str());

    std::thread waiter([&sim, stopSignals] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        sim.stop();
    });
    sim.run();
    waiter.join();

    if (!savePath.empty()) {
        orx::RadioImage out;
        out.data() = sim.memory();
        std::string error;
        if (!orx::SaveChannelData(savePath, out, &error)) {
            std::fprintf(stderr, "orx-radio-sim: cannot save %s: %s\n", savePath.c_str(), error.c_str());
            return 1;
        }
    }
    return 0;
}
