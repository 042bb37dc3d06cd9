#include "RadioSim.h"

#include "Band.h"
#include "MemoryMap.h"
#include "RadioImage.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace orx::sim {

namespace {

constexpr std::uint8_t kWakeUp[] = {0x02, 'P', 'R', 'O', 'G', 'R', 'C'};
constexpr std::uint8_t kAck = 0x06;
constexpr std::uint8_t kCommand = 0x4D;
constexpr std::uint8_t kIdentify = 0x02;
constexpr std::uint8_t kQueryPowerFirst = 0x50;
constexpr std::uint8_t kQueryPowerLast = 0x55;
constexpr std::uint8_t kPrepareWrite = 0x61;
constexpr std::uint8_t kEndTuning = 0x60;
constexpr std::uint8_t kRead = 0x52;
constexpr std::uint8_t kWrite = 0x57;
constexpr std::size_t kHeaderSize = 4;
constexpr std::size_t kPowerCalibration = 0xFF8;

// What this radio says when asked who it is; the program does not look at it.
constexpr std::uint8_t kIdentity[8] = {'O', 'R', 'X', '-', 'S', 'I', 'M', '1'};
// A calibration the radio came with from the factory.
constexpr std::uint8_t kFactoryCalibration[6] = {0x30, 0x82, 0x34, 0x86, 0x38, 0x8A};

// A frame left unfinished this long is forgotten, so a program that gave up on a reply and starts
// over is understood again. Longer than any pause inside a frame, shorter than the program's
// shortest read timeout.
constexpr auto kFrameGap = std::chrono::milliseconds(100);

// A real line delivers each byte on time; the default timer slack of a sleeping thread (50 us on
// Linux) would add to every reply and count against the program in the benchmark.
void tightenTimers()
{
#ifdef __linux__
    ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
#endif
}

void setCloseOnExec(int fd)
{
    const int flags = ::fcntl(fd, F_GETFD);
    if (flags >= 0)
        ::fcntl(fd, F_SETFD, flags | FD_CLOEXEC);
}

void writeAll(int fd, const std::uint8_t* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

} // namespace

RadioSim::RadioSim(const SimOptions& options) : m_options(options), m_memory(DefaultMemory()) {}

RadioSim::~RadioSim()
{
    stop();
    for (int fd : {m_master, m_slave, m_stopPipe[0], m_stopPipe[1]}) {
        if (fd >= 0)
            ::close(fd);
    }
}

RadioSim::Memory RadioSim::DefaultMemory()
{
    RadioImage image;
    image.resetToNewDocument();
    EncodeBandId(BandLimits{}, image);
    for (std::size_t k = 0; k < map::kPowerCalibrationSize; ++k)
        image.set(map::kPowerCalibration + k, kFactoryCalibration[k]);
    return image.data();
}

bool RadioSim::open()
{
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
        m_error = std::string("no pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    setCloseOnExec(m_master);
    const char* name = ::ptsname(m_master);
    if (!name) {
        m_error = std::string("no pseudo-terminal name: ") + std::strerror(errno);
        return false;
    }
    m_devicePath = name;
    m_slave = ::open(name, O_RDWR | O_NOCTTY);
    if (m_slave < 0) {
        m_error = std::string("cannot open ") + name + ": " + std::strerror(errno);
        return false;
    }
    setCloseOnExec(m_slave);
    // A serial line carries bytes, not text: no echo, no line editing, no character translation.
    termios t{};
    ::tcgetattr(m_slave, &t);
    ::cfmakeraw(&t);
    ::cfsetispeed(&t, B9600);
    ::cfsetospeed(&t, B9600);
    ::tcsetattr(m_slave, TCSANOW, &t);
    if (::pipe(m_stopPipe) != 0) {
        m_error = std::string("no pipe: ") + std::strerror(errno);
        return false;
    }
    setCloseOnExec(m_stopPipe[0]);
    setCloseOnExec(m_stopPipe[1]);
    return true;
}

std::optional<termios> RadioSim::lineSettings() const
{
    termios t{};
    if (m_slave < 0 || ::tcgetattr(m_slave, &t) != 0)
        return std::nullopt;
    return t;
}

bool RadioSim::setLineSettings(const termios& settings)
{
    return m_slave >= 0 && ::tcsetattr(m_slave, TCSANOW, &settings) == 0;
}

void RadioSim::start()
{
    m_reader = std::thread([this] { readerLoop(); });
    m_server = std::thread([this] { serve(); });
}

void RadioSim::run()
{
    m_reader = std::thread([this] { readerLoop(); });
    serve();
}

void RadioSim::stop()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_cv.notify_all();
    if (m_stopPipe[1] >= 0) {
        const char c = 'q';
        [[maybe_unused]] const ssize_t n = ::write(m_stopPipe[1], &c, 1);
    }
    for (std::thread* t : {&m_reader, &m_server}) {
        if (t->joinable() && t->get_id() != std::this_thread::get_id())
            t->join();
    }
}

void RadioSim::setFrameObserver(FrameObserver observer)
{
    std::lock_guard lock(m_mutex);
    m_observer = std::move(observer);
}

void RadioSim::setOptions(const SimOptions& options)
{
    std::lock_guard lock(m_mutex);
    m_options = options;
}

SimOptions RadioSim::options() const
{
    std::lock_guard lock(m_mutex);
    return m_options;
}

RadioSim::Memory RadioSim::memory() const
{
    std::lock_guard lock(m_mutex);
    return m_memory;
}

void RadioSim::setMemory(const Memory& memory)
{
    std::lock_guard lock(m_mutex);
    m_memory = memory;
}

std::uint8_t RadioSim::byte(std::size_t address) const
{
    std::lock_guard lock(m_mutex);
    return m_memory.at(address);
}

void RadioSim::setByte(std::size_t address, std::uint8_t value)
{
    std::lock_guard lock(m_mutex);
    m_memory.at(address) = value;
}

void RadioSim::takeAway()
{
    std::lock_guard lock(m_mutex);
    m_present = false;
}

void RadioSim::plugIn(const Memory& memory)
{
    std::lock_guard lock(m_mutex);
    m_memory = memory;
    m_present = true;
}

bool RadioSim::present() const
{
    std::lock_guard lock(m_mutex);
    return m_present;
}

std::vector<ReceivedByte> RadioSim::received() const
{
    std::lock_guard lock(m_mutex);
    return m_received;
}

std::vector<std::uint8_t> RadioSim::receivedBytes() const
{
    std::lock_guard lock(m_mutex);
    std::vector<std::uint8_t> bytes;
    bytes.reserve(m_received.size());
    for (const ReceivedByte& b : m_received)
        bytes.push_back(b.value);
    return bytes;
}

std::vector<std::uint8_t> RadioSim::sentBytes() const
{
    std::lock_guard lock(m_mutex);
    std::vector<std::uint8_t> bytes;
    bytes.reserve(m_sent.size());
    for (const SentByte& b : m_sent)
        bytes.push_back(b.value);
    return bytes;
}

std::vector<SentByte> RadioSim::sent() const
{
    std::lock_guard lock(m_mutex);
    return m_sent;
}

std::vector<Frame> RadioSim::frames() const
{
    std::lock_guard lock(m_mutex);
    return m_frames;
}

void RadioSim::clearRecord()
{
    std::lock_guard lock(m_mutex);
    m_received.clear();
    m_sent.clear();
    m_frames.clear();
    m_frameCount = 0;
    m_wakeUps = 0;
    m_stray = 0;
    m_unfinished = 0;
}

std::size_t RadioSim::strayBytes() const
{
    // Whatever has come in is looked at first; a radio that never gets there counts it all.
    std::unique_lock lock(m_mutex);
    const bool settled = m_cv.wait_for(lock, std::chrono::seconds(2),
                                       [this] { return m_stop || (m_inbox.empty() && !m_busy); });
    return m_stray + m_unfinished + (settled ? 0 : m_inbox.size());
}

void RadioSim::addStray(std::size_t count)
{
    std::lock_guard lock(m_mutex);
    m_stray += count;
}

void RadioSim::readerLoop()
{
    // Everything the program sends is taken off the terminal at once, even while the radio is busy
    // answering, and stamped with the time it came.
    std::uint8_t buffer[256];
    tightenTimers();
    for (;;) {
        pollfd fds[2] = {{m_master, POLLIN, 0}, {m_stopPipe[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[1].revents != 0)
            return;
        if ((fds[0].revents & POLLIN) == 0) {
            // Nothing to read but a hang-up or error: do not spin on it.
            ::poll(fds + 1, 1, 10);
            continue;
        }
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        const Clock::time_point now = Clock::now();
        if (n <= 0) {
            if (n < 0 && errno == EINTR)
                continue;
            ::poll(fds + 1, 1, 10);
            continue;
        }
        {
            std::lock_guard lock(m_mutex);
            for (ssize_t i = 0; i < n; ++i) {
                m_received.push_back({now, buffer[i]});
                m_inbox.push_back({now, buffer[i]});
            }
        }
        m_cv.notify_all();
    }
}

void RadioSim::serve()
{
    tightenTimers();
    for (;;) {
        ReceivedByte b;
        {
            std::unique_lock lock(m_mutex);
            m_cv.wait(lock, [this] { return m_stop || !m_inbox.empty(); });
            if (m_stop)
                return;
            b = m_inbox.front();
            m_inbox.pop_front();
            m_busy = true;
        }
        feed(b);
        {
            std::lock_guard lock(m_mutex);
            m_busy = false;
            m_unfinished = m_parse == Parse::FrameStart ? 0 : m_current.size();
        }
        m_cv.notify_all();
    }
}

void RadioSim::feed(const ReceivedByte& b)
{
    const std::chrono::nanoseconds byteTime = options().byteTime;
    // On a real line the byte has come only once its ten bits have.
    m_lastArrival =
        byteTime > std::chrono::nanoseconds::zero() ? std::max(b.time, m_lastArrival) + byteTime : b.time;
    if (m_parse != Parse::FrameStart && b.time - m_lastByte > kFrameGap) {
        m_parse = Parse::FrameStart;
        addStray(m_current.size());
    }
    m_lastByte = b.time;
    parse(b.value);
}

void RadioSim::parse(std::uint8_t v)
{
    switch (m_parse) {
    case Parse::FrameStart:
        m_current.assign(1, v);
        if (v == kWakeUp[0]) {
            m_parse = Parse::WakeUp;
            return;
        }
        // Asleep, the radio listens for nothing but the wake-up.
        if (!m_awake)
            addStray(1);
        else if (v == kCommand)
            m_parse = Parse::Command;
        else if (v == kRead || v == kWrite)
            m_parse = Parse::Header;
        else if (v == kAck)
            completeFrame(Frame::Kind::Ack);
        else
            addStray(1);
        return;
    case Parse::WakeUp:
        if (v != kWakeUp[m_current.size()]) {
            // Not a wake-up after all: look at the byte afresh.
            m_parse = Parse::FrameStart;
            addStray(m_current.size());
            parse(v);
            return;
        }
        m_current.push_back(v);
        if (m_current.size() == sizeof kWakeUp) {
            m_parse = Parse::FrameStart;
            completeFrame(Frame::Kind::WakeUp);
        }
        return;
    case Parse::Command: {
        m_current.push_back(v);
        m_parse = Parse::FrameStart;
        Frame::Kind kind = Frame::Kind::Unknown;
        if (v == kIdentify)
            kind = Frame::Kind::Identify;
        else if (v >= kQueryPowerFirst && v <= kQueryPowerLast)
            kind = Frame::Kind::QueryPower;
        else if (v == kPrepareWrite)
            kind = Frame::Kind::PrepareWrite;
        else if (v == kEndTuning)
            kind = Frame::Kind::EndTuning;
        completeFrame(kind);
        return;
    }
    case Parse::Header:
        m_current.push_back(v);
        if (m_current.size() < kHeaderSize)
            return;
        m_dataLength = v;
        if (m_current[0] == kRead) {
            m_parse = Parse::FrameStart;
            completeFrame(Frame::Kind::Read);
        } else if (m_dataLength == 0) {
            m_parse = Parse::FrameStart;
            completeFrame(Frame::Kind::Write);
        } else {
            m_parse = Parse::Data;
        }
        return;
    case Parse::Data:
        m_current.push_back(v);
        if (m_current.size() == kHeaderSize + m_dataLength) {
            m_parse = Parse::FrameStart;
            completeFrame(Frame::Kind::Write);
        }
        return;
    }
}

void RadioSim::completeFrame(Frame::Kind kind)
{
    std::vector<std::uint8_t> reply;
    SimOptions options;
    Frame frame;
    FrameObserver observer;
    {
        std::lock_guard lock(m_mutex);
        options = m_options;
        observer = m_observer;
        frame.number = m_frameCount++;
        frame.kind = kind;
        frame.bytes = m_current;
        frame.time = m_lastByte;
        m_frames.push_back(frame);
        // A radio off the cable hears nothing; the one plugged in next starts asleep.
        if (!m_present)
            m_awake = false;
        const bool silent =
            !m_present || (options.silentFromFrame >= 0 && frame.number >= options.silentFromFrame);
        if (!silent) {
            reply = answer(frame, options);
            if (auto fault = options.faults.find(frame.number); fault != options.faults.end()) {
                if (fault->second.kind == ReplyFault::Kind::StoreWrong)
                    storeWrongly(frame, fault->second.index);
                else
                    applyFault(reply, fault->second);
            }
        }
    }
    if (observer)
        observer(frame, reply);
    if (!reply.empty())
        send(reply, m_lastArrival + options.turnaround, options);
}

std::vector<std::uint8_t> RadioSim::answer(const Frame& frame, const SimOptions& options)
{
    const std::vector<std::uint8_t>& f = frame.bytes;
    switch (frame.kind) {
    case Frame::Kind::WakeUp:
        ++m_wakeUps;
        if (m_wakeUps <= options.failWakeUps)
            return {kRefused};
        m_awake = true;
        return {options.wakeUpReply};
    case Frame::Kind::Identify:
        return {std::begin(kIdentity), std::end(kIdentity)};
    case Frame::Kind::Ack:
    case Frame::Kind::PrepareWrite:
        return {kAck};
    case Frame::Kind::Read: {
        std::vector<std::uint8_t> reply(f.begin(), f.end());
        const std::size_t address = (std::size_t{f[1]} << 8) | f[2];
        for (std::size_t i = 0; i < f[3]; ++i)
            reply.push_back(m_memory[(address + i) % kMemorySize]);
        return reply;
    }
    case Frame::Kind::Write: {
        const std::size_t address = (std::size_t{f[1]} << 8) | f[2];
        for (std::size_t i = kHeaderSize; i < f.size(); ++i)
            m_memory[(address + i - kHeaderSize) % kMemorySize] = f[i];
        return {kAck};
    }
    case Frame::Kind::QueryPower: {
        const std::uint8_t k = static_cast<std::uint8_t>(f[1] - kQueryPowerFirst);
        return {kCommand, f[1], 0x0F, static_cast<std::uint8_t>(kPowerCalibration + k),
                m_memory[kPowerCalibration + k]};
    }
    case Frame::Kind::EndTuning:
        m_awake = false;
        return {};
    case Frame::Kind::Unknown:
        return {};
    }
    return {};
}

void RadioSim::storeWrongly(const Frame& frame, int index)
{
    const std::vector<std::uint8_t>& f = frame.bytes;
    if (frame.kind != Frame::Kind::Write || index < 0 ||
        kHeaderSize + static_cast<std::size_t>(index) >= f.size())
        return;
    const std::size_t address = ((std::size_t{f[1]} << 8) | f[2]) + static_cast<std::size_t>(index);
    m_memory[address % kMemorySize] =
        static_cast<std::uint8_t>(~f[kHeaderSize + static_cast<std::size_t>(index)]);
}

void RadioSim::applyFault(std::vector<std::uint8_t>& reply, const ReplyFault& fault) const
{
    if (reply.empty())
        return;
    const auto index = static_cast<std::size_t>(std::max(0, fault.index));
    switch (fault.kind) {
    case ReplyFault::Kind::Wrong:
        reply[0] = kRefused;
        break;
    case ReplyFault::Kind::Missing:
        reply.clear();
        break;
    case ReplyFault::Kind::Short:
        reply.pop_back();
        break;
    case ReplyFault::Kind::DropByte:
        if (index < reply.size())
            reply.erase(reply.begin() + static_cast<std::ptrdiff_t>(index));
        break;
    case ReplyFault::Kind::CorruptByte:
        if (index < reply.size())
            reply[index] = static_cast<std::uint8_t>(~reply[index]);
        break;
    case ReplyFault::Kind::StoreWrong:
        break;
    }
}

void RadioSim::send(const std::vector<std::uint8_t>& reply, Clock::time_point start,
                    const SimOptions& options)
{
    std::vector<SentByte> sent;
    sent.reserve(reply.size());
    if (options.byteTime <= std::chrono::nanoseconds::zero()) {
        if (options.turnaround > std::chrono::microseconds::zero() && !waitUntil(start, false))
            return;
        writeAll(m_master, reply.data(), reply.size());
        const Clock::time_point now = Clock::now();
        for (std::uint8_t b : reply)
            sent.push_back({now, start, b});
    } else {
        // Each byte is handed over when its last bit would have come down the wire.
        for (std::size_t j = 0; j < reply.size(); ++j) {
            const Clock::time_point due = start + options.byteTime * static_cast<long>(j + 1);
            if (!waitUntil(due, true))
                return;
            writeAll(m_master, &reply[j], 1);
            sent.push_back({Clock::now(), due, reply[j]});
        }
    }
    std::lock_guard lock(m_mutex);
    m_sent.insert(m_sent.end(), sent.begin(), sent.end());
}

bool RadioSim::waitUntil(Clock::time_point t, bool precise)
{
    // Waking from a sleep takes tens of microseconds; on a paced line the last stretch is spun
    // through so that each byte leaves on time.
    constexpr auto kSpin = std::chrono::microseconds(150);
    {
        std::unique_lock lock(m_mutex);
        if (m_cv.wait_until(lock, precise ? t - kSpin : t, [this] { return m_stop; }))
            return false;
    }
    while (precise && Clock::now() < t) {
    }
    return true;
}
} // namespace orx::sim
