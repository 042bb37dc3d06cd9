#include "RadioTransfer.h"

#include "Backups.h"
#include "MemoryAreas.h"
#include "MemoryMap.h"
#include "Texts.h"
#include "Tr.h"

#include <algorithm>

namespace orx {

// orxtool cancels from its Ctrl+C handler, where only a lock-free atomic may be touched.
static_assert(std::atomic<bool>::is_always_lock_free);

namespace {

QByteArray imageBytes(const RadioImage& image, std::size_t offset, std::size_t length)
{
    const auto span = image.bytes(offset, length);
    return QByteArray(reinterpret_cast<const char*>(span.data()), static_cast<qsizetype>(span.size()));
}

QByteArray readFrame(std::size_t address)
{
    return frame::BlockHeader(frame::kReadBlock, address, frame::kBlockSize);
}

} // namespace

RadioTransfer::RadioTransfer(Mode mode, const QString& portName, const RadioImage& image, QObject* parent,
                             const LinkTimeouts& timeouts)
    : QObject(parent), m_mode(mode), m_portName(portName), m_image(image), m_session(timeouts.transfer)
{
    m_session.setCancelFlag(&m_cancel);
}

const char* RadioTransfer::OutcomeText(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Succeeded:
    case Outcome::Cancelled:
        return "";
    case Outcome::PortOpenFailed:
        return res::kPortOpenFailed;
    case Outcome::CommError:
        return res::kCommError;
    case Outcome::PasswordError:
        return res::kPasswordError;
    case Outcome::BandMismatch:
        return res::kBandMismatch;
    case Outcome::VerifyMismatch:
        return res::kVerifyMismatch;
    case Outcome::VerifyCommError:
        return res::kVerifyCommError;
    }
    return res::kCommError;
}

QString RadioTransfer::cancelStatus() const
{
    if (m_mode == Mode::Read)
        return res::Tr(res::kReadCancelled);
    if (m_verifying)
        return res::Tr(res::kVerifyCancelled);
    return res::Tr(res::kWriteStopped).arg(m_blocksWritten).arg(kWriteBlocks);
}

QString RadioTransfer::differencesText() const
{
    return res::Tr(res::kVerifyDifferences)
        .arg(m_differences.join(res::Tr(res::kListSeparator)));
}

QString RadioTransfer::backupFailureText() const
{
    return m_backupError.isEmpty() ? QString() : res::Tr(res::kBackupFailed).arg(m_backupError);
}

RadioTransfer::Outcome RadioTransfer::run()
{
    m_wakeUpRetries = kWakeUpRetries;
    m_blocksWritten = 0;
    m_verifying = false;
    m_received.erase();
    m_differences.clear();
    m_failureDetail.clear();
    m_backupPath.clear();
    m_backupError.clear();
    Outcome outcome = Outcome::PortOpenFailed;
    if (m_session.open(m_portName))
        outcome = transfer();
    else
        m_failureDetail = m_session.openFailure();
    m_session.close();
    if (outcome != Outcome::Succeeded)
        m_received.erase();
    emit finished(outcome);
    return outcome;
}

RadioTransfer::Outcome RadioTransfer::transfer()
{
    if (!m_session.handshake(m_wakeUpRetries))
        return cancelled() ? Outcome::Cancelled : Outcome::CommError;
    return m_mode == Mode::Read ? readSteps() : writeSteps();
}

bool RadioTransfer::readBlock(std::size_t address, QByteArray& data)
{
    // A reply cut short is a failed exchange: its missing bytes would otherwise pass for zeros.
    const QByteArray reply = m_session.exchange(readFrame(address), frame::kBlockReplySize);
    if (reply.size() != frame::kBlockReplySize)
        return false;
    data = reply.mid(frame::kBlockHeaderSize);
    return m_session.acknowledge();
}

RadioTransfer::Outcome RadioTransfer::readSteps()
{
    if (cancelled())
        return Outcome::Cancelled;
    const QByteArray passwordReply = m_session.exchange(readFrame(map::kPassword), frame::kBlockReplySize);
    if (passwordReply.size() != frame::kBlockReplySize)
        return Outcome::CommError;
    const QByteArray radioPassword = passwordReply.mid(frame::kBlockHeaderSize, map::kPasswordSize);
    // A radio whose first password byte is erased has no password.
    if (static_cast<std::uint8_t>(radioPassword[0]) != map::kErased &&
        radioPassword != imageBytes(m_image, map::kPassword, map::kPasswordSize))
        return Outcome::PasswordError;
    if (!m_session.acknowledge())
        return Outcome::CommError;

    // The blocks go into a buffer of our own; the caller's image sees them only after the last one.
    RadioImage received;
    for (int block = 0; block < kReadBlocks; ++block) {
        if (cancelled())
            return Outcome::Cancelled;
        const std::size_t address = static_cast<std::size_t>(block) * frame::kBlockSize;
        QByteArray data;
        if (!readBlock(address, data))
            return Outcome::CommError;
        auto target = received.bytes(address, frame::kBlockSize);
        std::copy_n(reinterpret_cast<const std::uint8_t*>(data.constData()), frame::kBlockSize,
                    target.begin());
        emit blockDone(block + 1);
    }
    // Kept before anyone sees the image: what the radio held is safe even if the caller fails.
    keepBackup(received);
    m_received = received;
    return Outcome::Succeeded;
}

RadioTransfer::Outcome RadioTransfer::writeSteps()
{
    if (cancelled())
        return Outcome::Cancelled;
    const QByteArray bandReply = m_session.exchange(readFrame(map::kBandId), frame::kBlockReplySize);
    if (bandReply.size() != frame::kBlockReplySize)
        return Outcome::CommError;
    if (bandReply.mid(frame::kBlockHeaderSize, map::kBandIdSize) !=
        imageBytes(m_image, map::kBandId, map::kBandIdSize))
        return Outcome::BandMismatch;
    // The radio's answer to this acknowledgement does not matter: a second handshake follows.
    m_session.exchange(frame::Bytes({frame::kAck}), 1);

    if (!m_session.handshake(m_wakeUpRetries))
        return cancelled() ? Outcome::Cancelled : Outcome::CommError;

    for (int block = 0; block < kWriteBlocks; ++block) {
        if (cancelled())
            return Outcome::Cancelled;
        // The image about to change the radio is kept before its first block goes out.
        if (block == 0)
            keepBackup(m_image);
        const std::size_t address = static_cast<std::size_t>(block) * frame::kBlockSize;
        const QByteArray reply =
            m_session.exchange(frame::BlockHeader(frame::kWriteBlock, address, frame::kBlockSize),
                               imageBytes(m_image, address, frame::kBlockSize), 1);
        if (!frame::IsAck(reply))
            return Outcome::CommError;
        m_blocksWritten = block + 1;
        emit blockDone(block + 1);
    }

    // The band edges go last, after the blocks; the progress bar does not count this frame.
    m_session.exchange(
        frame::BlockHeader(frame::kWriteBlock, map::kBandId, static_cast<int>(map::kBandIdSize)),
        imageBytes(m_image, map::kBandId, map::kBandIdSize), 1); // not examined
    return verify() ? verifySteps() : Outcome::Succeeded;
}

RadioTransfer::Outcome RadioTransfer::verifySteps()
{
    // The protocol has no checksum, and a radio may acknowledge a block it stored wrongly: read
    // the written part back with the read frames and compare.
    m_verifying = true;
    emit verifying();
    RadioImage radio = m_image;
    for (int block = 0; block < kVerifyBlocks; ++block) {
        if (cancelled())
            return Outcome::Cancelled;
        const std::size_t address =
            block < kWriteBlocks ? static_cast<std::size_t>(block) * frame::kBlockSize : map::kBandId;
        QByteArray data;
        if (!readBlock(address, data))
            return Outcome::VerifyCommError;
        // Of the band's block only the band bytes were written.
        const std::size_t length = block < kWriteBlocks ? frame::kBlockSize : map::kBandIdSize;
        auto target = radio.bytes(address, length);
        std::copy_n(reinterpret_cast<const std::uint8_t*>(data.constData()), length, target.begin());
        emit blockDone(kWriteBlocks + block + 1);
    }
    m_differences = DifferingAreas(m_image, radio);
    return m_differences.isEmpty() ? Outcome::Succeeded : Outcome::VerifyMismatch;
}

void RadioTransfer::keepBackup(const RadioImage& image)
{
    if (m_backupFolder.isEmpty())
        return;
    m_backupPath = SaveBackup(m_backupFolder, m_mode == Mode::Read ? BackupKind::Read : BackupKind::Write,
                              image, QDateTime::currentDateTime(), &m_backupError);
}

} // namespace orx
