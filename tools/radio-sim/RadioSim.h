#pragma once

// A simulated radio on a pseudo-terminal: it answers the program's wake-up, identify, block read
// and write, and power-tuning frames from a 4096-byte memory of its own, records every byte it
// receives with the time it came, and misbehaves on request (refused wake-ups, silence, wrong or
// missing acknowledgements, dropped, corrupted or missing reply bytes, a block acknowledged but
// stored wrongly). It can keep real 9600-baud
// timing, so that a benchmark sees the time the wire would take.

#include <termios.h>

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace orx::sim {

using Clock = std::chrono::steady_clock;

// Ten bits (start, eight data, stop) at 9600 baud.
inline constexpr std::chrono::nanoseconds kByteTime9600(1'041'667);
// What the radio answers a wake-up it refuses.
inline constexpr std::uint8_t kRefused = 0x15;

struct ReplyFault {
    enum class Kind {
        Wrong,       // the first reply byte becomes kRefused (a wrong acknowledgement)
        Missing,     // no reply at all
        Short,       // the last reply byte is not sent
        DropByte,    // reply byte `index` is not sent
        CorruptByte, // reply byte `index` is sent inverted
        StoreWrong,  // a write frame is acknowledged, but its data byte `index` is stored inverted
    };
    Kind kind = Kind::Wrong;
    int index = 0;
};

struct SimOptions {
    std::uint8_t wakeUpReply = 0x06;         // or 0x16, which some radios answer
    int failWakeUps = 0;                     // the first k wake-ups are refused
    int silentFromFrame = -1;                // from this frame on (the first is 0) nothing is answered
    std::map<int, ReplyFault> faults;        // by frame number
    std::chrono::nanoseconds byteTime{0};    // wire time of a byte in either direction; 0 = none
    std::chrono::microseconds turnaround{0}; // the radio's pause before each reply
};

struct ReceivedByte {
    Clock::time_point time;
    std::uint8_t value;
};

struct SentByte {
    Clock::time_point time; // when it was handed to the terminal
    Clock::time_point due;  // when the wire timing wanted it there
    std::uint8_t value;
};

// One frame as the radio understood it.
struct Frame {
    enum class Kind { WakeUp, Identify, Ack, Read, Write, QueryPower, PrepareWrite, EndTuning, Unknown };
    int number = 0;
    Kind kind = Kind::Unknown;
    std::vector<std::uint8_t> bytes;
    Clock::time_point time; // when its last byte came
};

class RadioSim {
public:
    using Memory = std::array<std::uint8_t, 4096>;
    static constexpr std::size_t kMemorySize = 4096;

    explicit RadioSim(const SimOptions& options = {});
    ~RadioSim();
    RadioSim(const RadioSim&) = delete;
    RadioSim& operator=(const RadioSim&) = delete;

    // A memory as a freshly programmed radio holds it: new-document settings, the 136-174 MHz band,
    // no password, six calibration values.
    static Memory DefaultMemory();

    // Opens the pseudo-terminal. On failure error() says why.
    bool open();
    const std::string& devicePath() const { return m_devicePath; }
    const std::string& error() const { return m_error; }
    // The line settings the program left on the port (the terminal's settings).
    std::optional<termios> lineSettings() const;
    bool setLineSettings(const termios& settings);

    // Serves the program from two threads of its own until stop().
    void start();
    // Serves from the calling thread (plus a reader thread) until stop() is called elsewhere.
    void run();
    void stop();

    // Called from the serving thread for every frame with the reply about to go out; the reply
    // waits until it returns. May be set while the radio serves.
    using FrameObserver = std::function<void(const Frame& frame, const std::vector<std::uint8_t>& reply)>;
    void setFrameObserver(FrameObserver observer);

    void setOptions(const SimOptions& options);
    SimOptions options() const;

    Memory memory() const;
    void setMemory(const Memory& memory);
    std::uint8_t byte(std::size_t address) const;
    void setByte(std::size_t address, std::uint8_t value);

    // The radio is taken off the cable (or switched off): it answers nothing until plugIn(). What
    // the program sends meanwhile is still recorded.
    void takeAway();
    // A radio with this memory is put on the cable (the same one again, or another one with other
    // memory and another serial number); it starts asleep.
    void plugIn(const Memory& memory);
    bool present() const;

    std::vector<ReceivedByte> received() const;
    std::vector<std::uint8_t> receivedBytes() const;
    std::vector<std::uint8_t> sentBytes() const;
    std::vector<SentByte> sent() const;
    std::vector<Frame> frames() const;
    // Received bytes that belonged to no frame: a wake-up that broke off, a byte while asleep, a
    // frame still unfinished. Waits until the radio has looked at everything received so far.
    // A program that keeps to the protocol sends none. One that discards its own output on a
    // pseudo-terminal loses bytes the kernel has not yet moved across (it does so in deferred
    // work that a busy machine holds up for milliseconds), and what is left of that frame shows here.
    std::size_t strayBytes() const;
    // Forgets what was received and sent and starts counting frames from 0 again.
    void clearRecord();

private:
    enum class Parse { FrameStart, WakeUp, Command, Header, Data };

    void readerLoop();
    void serve();
    void feed(const ReceivedByte& b);
    void parse(std::uint8_t v);
    void addStray(std::size_t count);
    void completeFrame(Frame::Kind kind);
    std::vector<std::uint8_t> answer(const Frame& frame, const SimOptions& options);
    void applyFault(std::vector<std::uint8_t>& reply, const ReplyFault& fault) const;
    // Called with the lock held, after the frame's data went into the memory.
    void storeWrongly(const Frame& frame, int index);
    void send(const std::vector<std::uint8_t>& reply, Clock::time_point start, const SimOptions& options);
    // Waits until t; false when stop() came first. Precise waits spin through the last stretch.
    bool waitUntil(Clock::time_point t, bool precise);

    int m_master = -1;
    int m_slave = -1; // held open so the terminal does not hang up between the program's opens
    int m_stopPipe[2] = {-1, -1};
    std::string m_devicePath;
    std::string m_error;

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_cv;
    bool m_stop = false;
    std::deque<ReceivedByte> m_inbox;
    std::thread m_reader;
    std::thread m_server;

    FrameObserver m_observer;
    SimOptions m_options;
    Memory m_memory;
    std::vector<ReceivedByte> m_received;
    std::vector<SentByte> m_sent;
    std::vector<Frame> m_frames;
    int m_frameCount = 0;
    int m_wakeUps = 0;
    bool m_present = true;
    std::size_t m_stray = 0;
    std::size_t m_unfinished = 0; // bytes of the frame being received
    bool m_busy = false;          // the serving thread is working on a byte

    // Owned by the serving thread.
    Parse m_parse = Parse::FrameStart;
    bool m_awake = false;
    std::vector<std::uint8_t> m_current;
    std::size_t m_dataLength = 0;
    Clock::time_point m_lastByte;
    Clock::time_point m_lastArrival;
};

} // namespace orx::sim
