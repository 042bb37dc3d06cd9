#include "RadioTransfer.h"

#include "MemoryMap.h"
#include "Texts.h"

#include <algorithm>
#include <thread>

namespace orx {

using namespace std::chrono_literals;

namespace {

// The radio needs a moment between the wake-up bytes and before the identify frame.
constexpr auto kWakeUpBytePause = 2ms;
constexpr auto kIdentifyPause = 1ms;

QByteArray single(std::uint8_t b)
{
    return frame::Bytes({b});
}

QByteArray imageBytes(const RadioImage& image, std::size_t offset, std::size_t length)
{
    const auto span = image.bytes(offset, length);
    return QByteArray(reinterpret_cast<const char*>(span.data()), static_cast<qsizetype>(span.size()));
}

} // namespace

QByteArray frame::BlockHeader(std::uint8_t command, std::size_t address, int length)
{
    return Bytes({command, static_cast<std::uint8_t>((address >> 8) & 0xFF),
                  static_cast<std::uint8_t>(address & 0xFF), static_cast<std::uint8_t>(length)});
}

RadioTransfer::RadioTransfer(Mode mode, const QString& portName, const RadioImage& image, QObject* parent)
    : QObject(parent), m_mode(mode), m_portName(portName), m_image(image), m_port(kTransferTimeouts)
{
}

const char* RadioTransfer::OutcomeText(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Succeeded:
        return "";
    case Outcome::PortOpenFailed:
        return res::kPortOpenFailed;
    case Outcome::CommError:
        return res::kCommError;
    case Outcome::PasswordError:
        return res::kPasswordError;
    case Outcome::BandMismatch:
        return res::kBandMismatch;
    }
    return res::kCommError;
}

RadioTransfer::Outcome RadioTransfer::run()
{
    m_wakeUpFailures = 0;
    m_received.erase();
    m_failureDetail.clear();
    Outcome outcome = Outcome::PortOpenFailed;
    if (m_port.open(m_portName))
        outcome = transfer();
    else
        m_failureDetail = m_port.openFailure();
    m_port.close();
    if (outcome != Outcome::Succeeded)
        m_received.erase();
    emit finished(outcome);
    return outcome;
}

RadioTransfer::Outcome RadioTransfer::transfer()
{
    if (!handshake())
        return Outcome::CommError;
    return m_mode == Mode::Read ? readSteps() : writeSteps();
}

bool RadioTransfer::handshake()
{
    for (;;) {
        for (std::uint8_t b : frame::kWakeUp) {
            std::this_thread::sleep_for(kWakeUpBytePause);
            m_port.purge();
            m_port.write(single(b));
        }
        if (frame::IsWakeUpAck(m_port.read(1)))
            break;
        if (m_wakeUpFailures == kWakeUpRetries)
            return false;
        ++m_wakeUpFailures;
    }
    std::this_thread::sleep_for(kIdentifyPause);
    // What the radio says about itself is not used.
    exchange(frame::Bytes({frame::kCommand, frame::kIdentify}), frame::kIdentifyReplySize);
    return acknowledge();
}

bool RadioTransfer::acknowledge()
{
    return frame::IsAck(exchange(single(frame::kAck), 1));
}

QByteArray RadioTransfer::exchange(const QByteArray& command, int replySize)
{
    m_port.purge();
    m_port.write(command);
    return m_port.read(replySize);
}

RadioTransfer::Outcome RadioTransfer::readSteps()
{
    // A reply cut short is a failed exchange: its missing bytes would otherwise pass for zeros.
    const QByteArray passwordReply = exchange(
        frame::BlockHeader(frame::kReadBlock, map::kPassword, frame::kBlockSize), frame::kBlockReplySize);
    if (passwordReply.size() != frame::kBlockReplySize)
        return Outcome::CommError;
    const QByteArray radioPassword = passwordReply.mid(frame::kBlockHeaderSize, map::kPasswordSize);
    // A radio whose first password byte is erased has no password.
    if (static_cast<std::uint8_t>(radioPassword[0]) != map::kErased &&
        radioPassword != imageBytes(m_image, map::kPassword, map::kPasswordSize))
        return Outcome::PasswordError;
    if (!acknowledge())
        return Outcome::CommError;

    // The blocks go into a buffer of our own; the caller's image sees them only after the last one.
    RadioImage received;
    for (int block = 0; block < kReadBlocks; ++block) {
        const std::size_t address = static_cast<std::size_t>(block) * frame::kBlockSize;
        const QByteArray reply = exchange(frame::BlockHeader(frame::kReadBlock, address, frame::kBlockSize),
                                          frame::kBlockReplySize);
        if (reply.size() != frame::kBlockReplySize)
            return Outcome::CommError;
        auto target = received.bytes(address, frame::kBlockSize);
        std::copy_n(reinterpret_cast<const std::uint8_t*>(reply.constData()) + frame::kBlockHeaderSize,
                    frame::kBlockSize, target.begin());
        if (!acknowledge())
            return Outcome::CommError;
        emit blockDone(block + 1);
    }
    m_received = received;
    return Outcome::Succeeded;
}

RadioTransfer::Outcome RadioTransfer::writeSteps()
{
    const QByteArray bandReply = exchange(
        frame::BlockHeader(frame::kReadBlock, map::kBandId, frame::kBlockSize), frame::kBlockReplySize);
    if (bandReply.size() != frame::kBlockReplySize)
        return Outcome::CommError;
    if (bandReply.mid(frame::kBlockHeaderSize, map::kBandIdSize) !=
        imageBytes(m_image, map::kBandId, map::kBandIdSize))
        return Outcome::BandMismatch;
    // The radio's answer to this acknowledgement does not matter: a second handshake follows.
    exchange(single(frame::kAck), 1);

    if (!handshake())
        return Outcome::CommError;

    for (int block = 0; block < kWriteBlocks; ++block) {
        const std::size_t address = static_cast<std::size_t>(block) * frame::kBlockSize;
        m_port.purge();
        m_port.write(frame::BlockHeader(frame::kWriteBlock, address, frame::kBlockSize));
        m_port.write(imageBytes(m_image, address, frame::kBlockSize));
        if (!frame::IsAck(m_port.read(1)))
            return Outcome::CommError;
        emit blockDone(block + 1);
    }

    // The band edges go last, after the blocks; the progress bar does not count this frame.
    m_port.purge();
    m_port.write(frame::BlockHeader(frame::kWriteBlock, map::kBandId, static_cast<int>(map::kBandIdSize)));
    m_port.write(imageBytes(m_image, map::kBandId, map::kBandIdSize));
    m_port.read(1); // not examined
    return Outcome::Succeeded;
}

} // namespace orx
