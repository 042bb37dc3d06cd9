// bench_transfer: a whole read, a whole write and a write with its read-back against the simulated
// radio at real 9600-baud timing, with 0 ms and 5 ms turnaround. Prints the elapsed time, the time
// the wire itself needs for the same exchanges (every byte both ways, the protocol's fixed pauses,
// the radio's turnaround) and their ratio. The time beyond the limit is split three ways: what the
// simulated radio itself was late (its scheduling, not the program's doing); the program's own
// reaction, from each reply's end in the program to its next frame, less the protocol's pauses, as
// the serial port's probe sees it; and the rest, the pseudo-terminal and the thread wake-ups between
// the two ends. Last, what the read-back adds to a write, against the wire time of the read-back.

#include "RadioSim.h"
#include "RadioTransfer.h"
#include "SerialPort.h"

#include <QCoreApplication>

#include <atomic>
#include <chrono>
#include <cstdio>

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

Result run(orx::RadioTransfer::Mode mode, bool verify, std::chrono::microseconds turnaround)
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
    ReactionProbe probe;
    const auto start = Clock::now();
    const auto outcome = transfer.run();
    const auto end = Clock::now();
    sim.stop();
    Result r;
    r.ok = outcome == orx::RadioTransfer::Outcome::Succeeded;
    r.elapsed = end - start;
    r.radioLate = radioLateness(sim);
    r.reaction = probe.reaction();
    r.stray = sim.strayBytes();
    return r;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    constexpr double kRatioGoal = 1.01;
    constexpr double kReactionGoal = 0.01;
    std::printf("%-13s %10s %9s %10s %7s %10s %9s %9s %10s %8s\n", "", "turnaround", "elapsed", "wire limit",
                "ratio", "radio late", "line", "program", "reaction", "share");
    bool met = true;
    for (const auto turnaround : {0us, 5000us}) {
        const Wire wire{orx::sim::kByteTime9600, turnaround};
        Seconds writeElapsed{};
        for (const auto mode : {orx::RadioTransfer::Mode::Read, orx::RadioTransfer::Mode::Write}) {
            for (const bool verify : {false, true}) {
                if (verify && mode == orx::RadioTransfer::Mode::Read)
                    continue;
                const char* name = mode == orx::RadioTransfer::Mode::Read ? "read"
                                   : verify                               ? "write+verify"
                                                                          : "write";
                const Seconds limit = mode == orx::RadioTransfer::Mode::Read
                                          ? Seconds(wire.read())
                                          : Seconds(wire.write() + (verify ? wire.readBack() : 0ns));
                const Result r = run(mode, verify, turnaround);
                if (!r.ok) {
                    std::printf("%-13s transfer failed\n", name);
                    return 1;
                }
                const double ratio = r.elapsed / limit;
                // Without the simulated radio's own lateness: what the program costs.
                const double programRatio = (r.elapsed - r.radioLate) / limit;
                const double share = r.reaction / limit;
                met = met && programRatio <= kRatioGoal && share < kReactionGoal;
                const Seconds line = r.elapsed - limit - r.radioLate - r.reaction;
                std::printf("%-13s %7lld ms %7.3f s %8.3f s %7.4f %7.1f ms %6.1f ms %9.4f %7.1f ms %7.2f%%\n",
                            name,
                            static_cast<long long>(
                                std::chrono::duration_cast<std::chrono::milliseconds>(turnaround).count()),
                            r.elapsed.count(), limit.count(), ratio, r.radioLate.count() * 1000,
                            line.count() * 1000, programRatio, r.reaction.count() * 1000, share * 100);
                if (r.stray > 0)
                    std::printf("              (the radio saw %zu stray bytes)\n", r.stray);
                if (mode == orx::RadioTransfer::Mode::Write && !verify) {
                    writeElapsed = r.elapsed;
                } else if (verify) {
                    const Seconds extra = r.elapsed - writeElapsed;
                    const Seconds readBack = wire.readBack();
                    std::printf("              read-back adds %.3f s; its wire time is %.3f s (%.4f)\n",
                                extra.count(), readBack.count(), extra / readBack);
                }
                std::fflush(stdout);
            }
        }
    }
    std::printf("goals: program ratio <= %.2f, reaction below %.0f%% of the limit: %s\n", kRatioGoal,
                kReactionGoal * 100, met ? "met" : "missed");
    return 0;
}
