#include "ContinuousWrite.h"

#include "FeatureCodecs.h"

namespace orx {

ContinuousWrite::ContinuousWrite(const QString& portName, const RadioImage& image,
                                 const LinkTimeouts& timeouts, QObject* parent)
    : QObject(parent), m_transfer(RadioTransfer::Mode::Write, portName, image, nullptr, timeouts)
{
    m_transfer.setWaitForRadio(true);
    connect(&m_transfer, &RadioTransfer::blockDone, this, &ContinuousWrite::blockDone);
    connect(&m_transfer, &RadioTransfer::verifying, this, &ContinuousWrite::verifying);
    connect(&m_transfer, &RadioTransfer::radioFound, this,
            [this] { emit radioStarted(static_cast<int>(m_radios.size()) + 1); });
}

int ContinuousWrite::failures() const
{
    int n = 0;
    for (const BatchRadio& r : m_radios)
        n += r.outcome != RadioTransfer::Outcome::Succeeded &&
             r.outcome != RadioTransfer::Outcome::AlreadyWritten;
    return n;
}

const std::vector<BatchRadio>& ContinuousWrite::run()
{
    using Outcome = RadioTransfer::Outcome;
    m_radios.clear();
    m_stoppedDuringWrite = false;
    while (m_limit == 0 || static_cast<int>(m_radios.size()) < m_limit) {
        const int number = static_cast<int>(m_radios.size()) + 1;
        emit waitingForRadio(number - 1);
        const Outcome outcome = m_transfer.run();
        if (outcome == Outcome::Cancelled) {
            // Cancelled while waiting for a radio ends the batch quietly; during a write, the
            // caller reports how far that radio got.
            m_stoppedDuringWrite = m_transfer.radioBeforeRead() || m_transfer.blocksWritten() > 0;
            break;
        }
        if (outcome == Outcome::PortOpenFailed) {
            BatchRadio failed;
            failed.number = number;
            failed.time = QDateTime::currentDateTime();
            failed.outcome = outcome;
            m_radios.push_back(failed);
            emit radioDone(failed);
            break;
        }
        BatchRadio r;
        r.number = number;
        r.time = QDateTime::currentDateTime();
        r.outcome = outcome;
        r.failure = m_transfer.failure();
        if (m_transfer.radioBeforeRead())
            r.serial = DecodeSerialNumber(m_transfer.radioBefore());
        r.verified = outcome == Outcome::Succeeded && m_transfer.verify();
        r.serialKept = m_transfer.serialKept();
        r.blocksWritten = m_transfer.blocksWritten();
        r.differences = m_transfer.verifyDifferences();
        r.preWriteBackup = m_transfer.preWriteBackupPath();
        r.backup = m_transfer.backupPath();
        m_radios.push_back(r);
        // The radio just written is not written again if it comes back, nor one just like it.
        if (outcome == Outcome::Succeeded)
            m_transfer.setSkipIfHolds(m_transfer.written());
        emit radioDone(r);
        if (m_limit != 0 && static_cast<int>(m_radios.size()) >= m_limit)
            break;
        emit waitingForRemoval(number);
        if (!m_transfer.waitUntilRadioGone())
            break;
    }
    emit finished();
    return m_radios;
}

} // namespace orx
