#include "RadioTransfer.h"

#include "FeatureCodecs.h"
#include "MemoryAreas.h"
#include "MemoryMap.h"

#include <algorithm>

namespace orx {

// orxtool cancels from its Ctrl+C handler, where only a lock-free atomic may be touched.
static_assert(std::atomic<bool>::is_always_lock_free);

namespace {

using namespace std::chrono_literals;

// How often a batch asks the line whether the next radio is there.
constexpr auto kRadioPollPause = 200ms;
// The serial number's two blocks.
constexpr int kSerialBlocks = static_cast<int>(map::kSerialNumberSize) / frame::kBlockSize;

QByteArray imageBytes(const RadioImage& image, std::size_t offset, std::size_t length)
{
    const auto span = image.bytes(offset, length);
    return QByteArray(reinterpret_cast<const char*>(span.data()), static_cast<qsizetype>(span.size()));
}

QByteArray readFrame(std::size_t address)
{
    return frame::BlockHeader(frame::kReadBlock, address, frame::kBlockSize);
}

bool sameBytes(const RadioImage& a, const RadioImage& b, std::size_t offset, std::size_t length)
{
    return imageBytes(a, offset, length) == imageBytes(b, offset, length);
}

} // namespace

RadioTransfer::RadioTransfer(Mode mode, const QString& portName, const RadioImage& image, QObject* parent,
                             const LinkTimeouts& timeouts)
    : QObject(parent), m_mode(mode), m_portName(portName), m_original(image), m_image(image),
      m_session(timeouts.transfer)
{
    m_session.setCancelFlag(&m_cancel);
}

RadioTransfer::Outcome RadioTransfer::run()
{
    m_wakeUpRetries = kWakeUpRetries;
    // Each run writes the caller's image: a serial number kept for one radio is not the next one's.
    m_image = m_original;
    m_blocksWritten = 0;
    m_verifying = false;
    m_received.erase();
    m_differences.clear();
    m_backupPath.clear();
    m_backupError.clear();
    m_preWriteBackupPath.clear();
    m_radioBefore.erase();
    m_radioBeforeRead = false;
    m_serialKept = false;
    m_failure = {};
    Outcome outcome = Outcome::PortOpenFailed;
    if (m_session.open(m_portName))
        outcome = transfer();
    m_session.close();
    if (outcome != Outcome::Succeeded)
        m_received.erase();
    // A stop on request names no failure, even where it cut a reply short.
    if (outcome == Outcome::Cancelled)
        m_failure = {};
    emit finished(outcome);
    return outcome;
}

RadioTransfer::Outcome RadioTransfer::fail(Outcome outcome, Step step, Problem problem, int block,
                                           std::size_t address)
{
    if (cancelled() && outcome != Outcome::PasswordError && outcome != Outcome::BandMismatch)
        return Outcome::Cancelled;
    m_failure.step = step;
    m_failure.problem = problem;
    m_failure.block = block;
    m_failure.address = address;
    return outcome;
}

RadioTransfer::Outcome RadioTransfer::handshakeFailed()
{
    if (cancelled())
        return Outcome::Cancelled;
    using HF = RadioSession::HandshakeFailure;
    switch (m_session.handshakeFailure()) {
    case HF::WakeUpWrong:
        m_failure.reply = m_session.wakeUpReply();
        return fail(Outcome::CommError, Step::WakeUp, Problem::WrongAnswer);
    case HF::NotAcknowledged:
        return fail(Outcome::CommError, Step::Handshake, Problem::NotAcknowledged);
    case HF::WakeUpSilent:
    case HF::None:
        break;
    }
    return fail(Outcome::CommError, Step::WakeUp, Problem::NoAnswer);
}

RadioTransfer::Outcome RadioTransfer::transfer()
{
    if (m_waitForRadio) {
        // A batch: the next radio may take minutes to come. It is there once it answers a wake-up.
        while (!m_session.radioAnswers()) {
            if (cancelled())
                return Outcome::Cancelled;
            m_session.waitUnlessCancelled(kRadioPollPause);
        }
        emit radioFound();
    }
    if (!m_session.handshake(m_wakeUpRetries))
        return handshakeFailed();
    return m_mode == Mode::Read ? readSteps() : writeSteps();
}

RadioTransfer::Problem RadioTransfer::readBlock(std::size_t address, QByteArray& data, int& received)
{
    // A reply cut short is a failed exchange: its missing bytes would otherwise pass for zeros, and
    // it is not acknowledged.
    const QByteArray reply = m_session.exchange(readFrame(address), frame::kBlockReplySize);
    received = static_cast<int>(reply.size());
    if (reply.isEmpty())
        return Problem::NoAnswer;
    if (reply.size() != frame::kBlockReplySize)
        return Problem::CutShort;
    data = reply.mid(frame::kBlockHeaderSize);
    return m_session.acknowledge() ? Problem::None : Problem::NotAcknowledged;
}

bool RadioTransfer::readBlocks(Step step, std::size_t first, int count, RadioImage& target, int progressBase)
{
    for (int block = 0; block < count; ++block) {
        if (cancelled())
            return false;
        const std::size_t address = first + static_cast<std::size_t>(block) * frame::kBlockSize;
        QByteArray data;
        int received = 0;
        if (const Problem problem = readBlock(address, data, received); problem != Problem::None) {
            fail(Outcome::CommError, step, problem, block + 1, address);
            m_failure.received = received;
            m_failure.expected = frame::kBlockReplySize;
            return false;
        }
        auto span = target.bytes(address, frame::kBlockSize);
        std::copy_n(reinterpret_cast<const std::uint8_t*>(data.constData()), frame::kBlockSize, span.begin());
        if (progressBase >= 0)
            emit blockDone(progressBase + block + 1);
    }
    return true;
}

RadioTransfer::Outcome RadioTransfer::readSteps()
{
    if (cancelled())
        return Outcome::Cancelled;
    const QByteArray passwordReply = m_session.exchange(readFrame(map::kPassword), frame::kBlockReplySize);
    if (passwordReply.size() != frame::kBlockReplySize) {
        m_failure.received = static_cast<int>(passwordReply.size());
        m_failure.expected = frame::kBlockReplySize;
        return fail(Outcome::CommError, Step::Password,
                    passwordReply.isEmpty() ? Problem::NoAnswer : Problem::CutShort);
    }
    const QByteArray radioPassword = passwordReply.mid(frame::kBlockHeaderSize, map::kPasswordSize);
    // A radio whose first password byte is erased has no password.
    if (static_cast<std::uint8_t>(radioPassword[0]) != map::kErased &&
        radioPassword != imageBytes(m_image, map::kPassword, map::kPasswordSize))
        return fail(Outcome::PasswordError, Step::Password, Problem::Differs);
    if (!m_session.acknowledge())
        return fail(Outcome::CommError, Step::Password, Problem::NotAcknowledged);

    // The blocks go into a buffer of our own; the caller's image sees them only after the last one.
    RadioImage received;
    if (!readBlocks(Step::Read, 0, kReadBlocks, received, 0))
        return cancelled() ? Outcome::Cancelled : Outcome::CommError;
    // Kept before anyone sees the image: what the radio held is safe even if the caller fails.
    m_backupPath = keepBackup(BackupKind::Read, received);
    m_received = received;
    return Outcome::Succeeded;
}

RadioTransfer::Outcome RadioTransfer::preWriteSteps()
{
    // What the radio holds is read before anything of it is overwritten: all of it for the
    // backup, or the serial number's two blocks.
    if (preRead()) {
        if (!readBlocks(Step::PreRead, 0, kReadBlocks, m_radioBefore, 0))
            return cancelled() ? Outcome::Cancelled : Outcome::CommError;
    } else if (m_keepRadioSerial || m_skipCheck) {
        if (!readBlocks(Step::SerialRead, map::kSerialNumber, kSerialBlocks, m_radioBefore, -1))
            return cancelled() ? Outcome::Cancelled : Outcome::CommError;
    } else {
        return Outcome::Succeeded;
    }
    m_radioBeforeRead = true;

    if (m_skipCheck) {
        // The radio just written is still (or again) on the cable: writing it again gains nothing.
        const bool same =
            preRead()
                ? sameBytes(m_radioBefore, m_skipIfHolds, 0, map::kWritableEnd) &&
                      sameBytes(m_radioBefore, m_skipIfHolds, map::kBandId, map::kBandIdSize)
                : HoldsSerialNumber(m_radioBefore) &&
                      sameBytes(m_radioBefore, m_skipIfHolds, map::kSerialNumber, map::kSerialNumberSize);
        if (same)
            return Outcome::AlreadyWritten;
    }
    if (preRead()) {
        m_preWriteBackupPath = keepBackup(BackupKind::BeforeWrite, m_radioBefore);
        // Without its backup, a write would destroy what no file holds.
        if (!m_backupFolder.isEmpty() && m_preWriteBackupPath.isEmpty())
            return Outcome::BackupFailed;
    }
    if (m_keepRadioSerial && HoldsSerialNumber(m_radioBefore) &&
        !sameBytes(m_radioBefore, m_image, map::kSerialNumber, map::kSerialNumberSize)) {
        // The serial number belongs to the radio's board, not to the file.
        auto target = m_image.bytes(map::kSerialNumber, map::kSerialNumberSize);
        const auto source = m_radioBefore.bytes(map::kSerialNumber, map::kSerialNumberSize);
        std::copy(source.begin(), source.end(), target.begin());
        m_serialKept = true;
    }
    return Outcome::Succeeded;
}

RadioTransfer::Outcome RadioTransfer::writeSteps()
{
    if (cancelled())
        return Outcome::Cancelled;
    const QByteArray bandReply = m_session.exchange(readFrame(map::kBandId), frame::kBlockReplySize);
    if (bandReply.size() != frame::kBlockReplySize) {
        m_failure.received = static_cast<int>(bandReply.size());
        m_failure.expected = frame::kBlockReplySize;
        return fail(Outcome::CommError, Step::Band,
                    bandReply.isEmpty() ? Problem::NoAnswer : Problem::CutShort);
    }
    if (bandReply.mid(frame::kBlockHeaderSize, map::kBandIdSize) !=
        imageBytes(m_image, map::kBandId, map::kBandIdSize)) {
        m_failure.reply = bandReply.mid(frame::kBlockHeaderSize, map::kBandIdSize);
        m_failure.wanted = imageBytes(m_image, map::kBandId, map::kBandIdSize);
        return fail(Outcome::BandMismatch, Step::Band, Problem::Differs);
    }
    // The radio's answer to this acknowledgement does not matter: a second handshake follows.
    m_session.exchange(frame::Bytes({frame::kAck}), 1);

    if (const Outcome before = preWriteSteps(); before != Outcome::Succeeded)
        return before;
    if (cancelled())
        return Outcome::Cancelled;

    if (!m_session.handshake(m_wakeUpRetries))
        return handshakeFailed();

    const int base = preRead() ? kReadBlocks : 0;
    for (int block = 0; block < kWriteBlocks; ++block) {
        if (cancelled())
            return Outcome::Cancelled;
        // The image about to change the radio is kept before its first block goes out.
        if (block == 0)
            m_backupPath = keepBackup(BackupKind::Write, m_image);
        const std::size_t address = static_cast<std::size_t>(block) * frame::kBlockSize;
        const QByteArray reply =
            m_session.exchange(frame::BlockHeader(frame::kWriteBlock, address, frame::kBlockSize),
                               imageBytes(m_image, address, frame::kBlockSize), 1);
        if (!frame::IsAck(reply)) {
            m_failure.reply = reply;
            return fail(Outcome::CommError, Step::Write,
                        reply.isEmpty() ? Problem::NoAnswer : Problem::NotAcknowledged, block + 1, address);
        }
        m_blocksWritten = block + 1;
        emit blockDone(base + block + 1);
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
    const int base = (preRead() ? kReadBlocks : 0) + kWriteBlocks;
    RadioImage radio = m_image;
    for (int block = 0; block < kVerifyBlocks; ++block) {
        if (cancelled())
            return Outcome::Cancelled;
        const std::size_t address =
            block < kWriteBlocks ? static_cast<std::size_t>(block) * frame::kBlockSize : map::kBandId;
        QByteArray data;
        int received = 0;
        if (const Problem problem = readBlock(address, data, received); problem != Problem::None) {
            m_failure.received = received;
            m_failure.expected = frame::kBlockReplySize;
            return fail(Outcome::VerifyCommError, Step::ReadBack, problem, block + 1, address);
        }
        // Of the band's block only the band bytes were written.
        const std::size_t length = block < kWriteBlocks ? frame::kBlockSize : map::kBandIdSize;
        auto target = radio.bytes(address, length);
        std::copy_n(reinterpret_cast<const std::uint8_t*>(data.constData()), length, target.begin());
        emit blockDone(base + block + 1);
    }
    m_differences = DifferingAreas(m_image, radio);
    if (m_differences.empty())
        return Outcome::Succeeded;
    return fail(Outcome::VerifyMismatch, Step::ReadBack, Problem::Differs);
}

bool RadioTransfer::waitUntilRadioGone()
{
    if (!m_session.open(m_portName))
        return false;
    // Two silent wake-ups in a row: one lost to a loose plug does not count as a new radio.
    constexpr int kSilentPolls = 2;
    int silent = 0;
    while (silent < kSilentPolls && !cancelled()) {
        m_session.radioAnswers();
        silent = m_session.wakeUpReply().isEmpty() ? silent + 1 : 0;
        if (silent < kSilentPolls)
            m_session.waitUnlessCancelled(kRadioPollPause);
    }
    m_session.close();
    return !cancelled();
}

QString RadioTransfer::keepBackup(BackupKind kind, const RadioImage& image)
{
    if (m_backupFolder.isEmpty())
        return {};
    QString error;
    const QString path = SaveBackup(m_backupFolder, kind, image, QDateTime::currentDateTime(), &error);
    if (path.isEmpty() && m_backupError.isEmpty())
        m_backupError = error;
    return path;
}

} // namespace orx
