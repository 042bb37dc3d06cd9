// bench_transfer: a whole read, a whole write and a write with its read-back against the simulated
// radio at real 9600-baud timing, with 0 ms and 5 ms turnaround. Prints the elapsed time, the time
// the wire itself needs for the same exchanges (every byte both ways, the protocol's fixed pauses,
// the radio's turnaround) and their ratio. The time beyond the limit is split three ways: what the
// simulated radio itself was late (its scheduling, not the program's doing); the program's own
// reaction, from each reply's end in the program to its next frame, less the protocol's pauses, as
// the serial port's probe sees it; and the rest, the pseudo-terminal and the thread wake-ups between
// the two ends. Last, what the read-back and the pre-read (the backup of what the radio held, read
// before a write) add to a write, against their own wire time. A transfer that fails prints its
// reason and the benchmark goes on with the next one.

#include "RadioSim.h"
#include "LinkTexts.h"
#include "RadioTransfer.h"
#include "SerialPort.h"

#include <QCoreApplication>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;
using namespace std::chrono_literals;

// The wire limit of an exchange: the program's bytes, the radio's turnaround, the reply's bytes.
struct Wire {
    std::chrono::nanoseconds byteTime;
    std::chrono::nanoseconds turnaround;
    std::chrono::nanoseconds exchange(int sent, int replied) const
    {
        return byteTime * sent + turnaround + byteTime * replied;
    }
    // Seven wake-up bytes with 2 ms before each (longer than a byte takes, so only the last byte's
    // wire time adds), the reply, 1 ms, identify and its 8-byte reply, the acknowledgement.
    std::chrono::nanoseconds handshake() const
    {
        return 7 * 2ms + exchange(1, 1) + 1ms + exchange(2, 8) + exchange(1, 1);
    }
    // A block read with its acknowledged acknowledgement: a 4-byte request, a 12-byte reply.
    std::chrono::nanoseconds readBlock() const { return exchange(4, 12) + exchange(1, 1); }
    // The password check and 512 blocks.
    std::chrono::nanoseconds read() const { return handshake() + 513 * readBlock(); }
    // The band check with its acknowledgement, a second handshake, 448 blocks of 4 + 8 bytes with
    // a 1-byte reply, the 4 + 3-byte band frame.
    std::chrono::nanoseconds write() const
    {
        return handshake() + exchange(4, 12) + exchange(1, 1) + handshake() + 448 * exchange(12, 1) +
               exchange(7, 1);
    }
    // The written blocks and the band's block read back.
    std::chrono::nanoseconds readBack() const { return 449 * readBlock(); }
    // The whole radio read before a write: 512 blocks.
    std::chrono::nanoseconds preRead() const { return 512 * readBlock(); }
};

// The program's reaction: from a read's return to the next write, less the protocol's pauses.
class ReactionProbe : public orx::SerialProbe {
public:
    ReactionProbe() { orx::SerialPort::SetProbe(this); }
    ~ReactionProbe() override { orx::SerialPort::SetProbe(nullptr); }
    void discardRequested(bool, bool) override {}
    void readFinished(qsizetype, qsizetype) override
    {
        m_lastRead = Clock::now();
        m_pauses = {};
        m_waiting = true;
    }
    void pausing(std::chrono::milliseconds pause) override
    {
        if (m_waiting)
            m_pauses += pause;
    }
    void writeStarting(qsizetype) override
    {
        if (!m_waiting)
            return;
        m_waiting = false;
        m_reaction += Clock::now() - m_lastRead - m_pauses;
    }
    Seconds reaction() const { return m_reaction; }

private:
    Clock::time_point m_lastRead;
    Clock::duration m_pauses{};
    Clock::duration m_reaction{};
    bool m_waiting = false;
};

struct Result {
    bool ok = false;
    QString failure; // why it failed
    Seconds elapsed{};
    Seconds radioLate{}; // the simulated radio's replies, later than the wire timing wanted them
    Seconds reaction{};  // the program's own time between a reply and its next frame
    std::size_t stray = 0;
};

Seconds radioLateness(const orx::sim::RadioSim& sim)
{
    Seconds late{};
    const auto sent = sim.sent();
    for (std::size_t i = 0; i < sent.size(); ++i) {
        const bool lastOfReply =
            i + 1 == sent.size() || sent[i + 1].due - sent[i].due > sim.options().byteTime;
        if (lastOfReply)
            late += sent[i].time - sent[i].due;
    }
    return late;
}

Result run(orx::RadioTransfer::Mode mode, bool verify, bool preRead, std::chrono::microseconds turnaround)
{
    orx::sim::SimOptions options;
    options.byteTime = orx::sim::kByteTime9600;
    options.turnaround = turnaround;
    orx::sim::RadioSim sim(options);
    if (!sim.open()) {
        std::fprintf(stderr, "bench_transfer: %s\n", sim.error().c_str());
        return {};
    }
    sim.start();
    orx::RadioImage image;
    image.data() = orx::sim::RadioSim::DefaultMemory(); // same band as the radio
    orx::RadioTransfer transfer(mode, QString::fromStdString(sim.devicePath()), image);
    transfer.setVerify(verify);
    transfer.setPreWriteBackup(preRead);
    ReactionProbe probe;
    const auto start = Clock::now();
    const auto outcome = transfer.run();
    const auto end = Clock::now();
    sim.stop();
    Result r;
    r.ok = outcome == orx::RadioTransfer::Outcome::Succeeded;
    if (!r.ok) {
        r.failure = QString::fromUtf8(orx::TransferOutcomeText(outcome));
        const QString line = orx::TransferFailureLine(transfer.failure());
        if (!line.isEmpty())
            r.failure += QStringLiteral(": ") + line;
    }
    r.elapsed = end - start;
    r.radioLate = radioLateness(sim);
    r.reaction = probe.reaction();
    r.stray = sim.strayBytes();
    return r;
}

constexpr const char* kUsage =
    "Usage: bench_transfer [--turnaround MS]...\n"
    "\n"
    "Times a whole read, a write, a write with the pre-read (the backup of what the radio held) and a\n"
    "write with its read-back against the simulated radio at real 9600-baud timing, and compares each\n"
    "with the time the wire itself needs. Without --turnaround: 0 ms and 5 ms, the radio's pause\n"
    "before each reply.\n"
    "\n"
    "  --turnaround MS  the radio's turnaround; may be given more than once\n"
    "  -h, --help       this text\n";

struct Row {
    const char* name;
    orx::RadioTransfer::Mode mode;
    bool verify;
    bool preRead;
};

} // namespace

int main(int argc, char* argv[])
{
    std::vector<std::chrono::microseconds> turnarounds;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-h") == 0 || std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--turnaround") == 0 && i + 1 < argc) {
            turnarounds.push_back(std::chrono::milliseconds(std::atoi(argv[++i])));
            continue;
        }
        std::fprintf(stderr, "bench_transfer: unknown argument '%s'\n\n%s", argv[i], kUsage);
        return 2;
    }
    if (turnarounds.empty())
        turnarounds = {0us, 5000us};
    QCoreApplication app(argc, argv);
    constexpr double kRatioGoal = 1.01;
    constexpr double kReactionGoal = 0.01;
    std::printf("%-16s %10s %9s %10s %7s %10s %9s %9s %10s %8s\n", "", "turnaround", "elapsed", "wire limit",
                "ratio", "radio late", "line", "program", "reaction", "share");
    using Mode = orx::RadioTransfer::Mode;
    const Row rows[] = {{"read", Mode::Read, false, false},
                        {"write", Mode::Write, false, false},
                        {"write+pre-read", Mode::Write, false, true},
                        {"write+verify", Mode::Write, true, false}};
    bool met = true;
    int failed = 0;
    for (const auto turnaround : turnarounds) {
        const Wire wire{orx::sim::kByteTime9600, turnaround};
        Seconds writeElapsed{};
        for (const Row& row : rows) {
            const Seconds limit = row.mode == Mode::Read
                                      ? Seconds(wire.read())
                                      : Seconds(wire.write() + (row.verify ? wire.readBack() : 0ns) +
                                                (row.preRead ? wire.preRead() : 0ns));
            const Result r = run(row.mode, row.verify, row.preRead, turnaround);
            if (!r.ok) {
                std::printf("%-16s failed: %s\n", row.name, r.failure.toUtf8().constData());
                ++failed;
                continue;
            }
            const double ratio = r.elapsed / limit;
            // Without the simulated radio's own lateness: what the program costs.
            const double programRatio = (r.elapsed - r.radioLate) / limit;
            const double share = r.reaction / limit;
            met = met && programRatio <= kRatioGoal && share < kReactionGoal;
            const Seconds line = r.elapsed - limit - r.radioLate - r.reaction;
            std::printf("%-16s %7lld ms %7.3f s %8.3f s %7.4f %7.1f ms %6.1f ms %9.4f %7.1f ms %7.2f%%\n",
                        row.name,
                        static_cast<long long>(
                            std::chrono::duration_cast<std::chrono::milliseconds>(turnaround).count()),
                        r.elapsed.count(), limit.count(), ratio, r.radioLate.count() * 1000,
                        line.count() * 1000, programRatio, r.reaction.count() * 1000, share * 100);
            if (r.stray > 0)
                std::printf("                 (the radio saw %zu stray bytes)\n", r.stray);
            if (row.mode == Mode::Write && !row.verify && !row.preRead) {
                writeElapsed = r.elapsed;
            } else if (row.mode == Mode::Write && writeElapsed > Seconds::zero()) {
                const Seconds extra = r.elapsed - writeElapsed;
                const Seconds own = row.verify ? wire.readBack() : wire.preRead();
                std::printf("                 %s adds %.3f s; its wire time is %.3f s (%.4f)\n",
                            row.verify ? "read-back" : "pre-read", extra.count(), own.count(), extra / own);
            }
            std::fflush(stdout);
        }
    }
    std::printf("goals: program ratio <= %.2f, reaction below %.0f%% of the limit: %s\n", kRatioGoal,
                kReactionGoal * 100, met ? "met" : "missed");
    if (failed > 0)
        std::printf("%d transfer(s) failed\n", failed);
    return failed > 0 ? 1 : 0;
}
