#include "LinkTexts.h"

#include "FeatureCodecs.h"
#include "Texts.h"
#include "Tr.h"

#include <QDir>

namespace orx {

const char* TransferOutcomeText(RadioTransfer::Outcome outcome)
{
    using Outcome = RadioTransfer::Outcome;
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
    case Outcome::BackupFailed:
        return res::kPreWriteBackupFailed;
    case Outcome::AlreadyWritten:
        return res::kAlreadyWritten;
    }
    return res::kCommError;
}

QString TransferCancelStatus(const RadioTransfer& transfer)
{
    if (transfer.mode() == RadioTransfer::Mode::Read)
        return res::Tr(res::kReadCancelled);
    if (transfer.verifyStarted())
        return res::Tr(res::kVerifyCancelled);
    return res::Tr(res::kWriteStopped).arg(transfer.blocksWritten()).arg(RadioTransfer::kWriteBlocks);
}

QString TransferDifferencesText(const RadioTransfer& transfer)
{
    return res::Tr(res::kVerifyDifferences)
        .arg(MemoryAreaNames(transfer.verifyDifferences()).join(res::Tr(res::kListSeparator)));
}

QString TransferBackupFailureText(const RadioTransfer& transfer)
{
    return transfer.backupError().isEmpty() ? QString()
                                            : res::Tr(res::kBackupFailed).arg(transfer.backupError());
}

QString TransferFailureDetail(const RadioTransfer& transfer, RadioTransfer::Outcome outcome)
{
    using Outcome = RadioTransfer::Outcome;
    switch (outcome) {
    case Outcome::PortOpenFailed:
        return PortProblemText(transfer.portProblem());
    case Outcome::BackupFailed:
        return transfer.backupError();
    case Outcome::VerifyMismatch:
        return TransferDifferencesText(transfer);
    case Outcome::PasswordError: {
        // Where the password goes, below the step that found it differs.
        const QString hint = res::Tr(res::kPasswordHint).arg(res::Tr(res::kPasswordLabel));
        const QString line = TransferFailureLine(transfer.failure());
        return line.isEmpty() ? hint : line + QLatin1Char('\n') + hint;
    }
    default:
        return TransferFailureLine(transfer.failure());
    }
}

namespace {

QString hexBytes(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

QString problemText(const RadioTransfer::Failure& f)
{
    using Problem = RadioTransfer::Problem;
    switch (f.problem) {
    case Problem::NoAnswer:
        return res::Tr(res::kProblemNoAnswer);
    case Problem::WrongAnswer:
        return res::Tr(res::kProblemWrongAnswer).arg(hexBytes(f.reply));
    case Problem::CutShort:
        return res::Tr(res::kProblemCutShort).arg(f.received).arg(f.expected);
    case Problem::NotAcknowledged:
        return f.reply.isEmpty() ? res::Tr(res::kProblemNotAcknowledged)
                                 : res::Tr(res::kProblemWrongAnswer).arg(hexBytes(f.reply));
    case Problem::Differs:
    case Problem::None:
        break;
    }
    return {};
}

} // namespace

QString TransferFailureLine(const RadioTransfer::Failure& f)
{
    using Step = RadioTransfer::Step;
    using Problem = RadioTransfer::Problem;
    auto block = [&f](const char* text) {
        return res::Tr(text).arg(f.block).arg(
            QStringLiteral("%1").arg(f.address, 3, 16, QLatin1Char('0')).toUpper(), problemText(f));
    };
    switch (f.step) {
    case Step::None:
        return {};
    case Step::WakeUp:
        return f.problem == Problem::WrongAnswer ? res::Tr(res::kFailWakeUpWrong).arg(hexBytes(f.reply))
                                                 : res::Tr(res::kFailWakeUpSilent);
    case Step::Handshake:
        return res::Tr(res::kFailHandshake);
    case Step::Password:
        return f.problem == Problem::Differs ? res::Tr(res::kFailPasswordDiffers)
                                             : res::Tr(res::kFailPasswordReply).arg(problemText(f));
    case Step::Band:
        return f.problem == Problem::Differs
                   ? res::Tr(res::kFailBandDiffers).arg(hexBytes(f.reply), hexBytes(f.wanted))
                   : res::Tr(res::kFailBandReply).arg(problemText(f));
    case Step::Read:
        return block(res::kFailReadBlock);
    case Step::PreRead:
        return block(res::kFailPreReadBlock);
    case Step::SerialRead:
        return block(res::kFailSerialBlock);
    case Step::Write:
        return block(res::kFailWriteBlock);
    case Step::ReadBack:
        return f.problem == Problem::Differs ? QString() : block(res::kFailReadBackBlock);
    }
    return {};
}

QString SerialKeptText(const RadioTransfer& transfer)
{
    if (!transfer.serialKept())
        return {};
    return res::Tr(res::kSerialKept).arg(QString::fromStdString(DecodeSerialNumber(transfer.radioBefore())));
}

QString WriteDoneText(const RadioTransfer& transfer)
{
    return res::Tr(transfer.verify() ? res::kWriteDoneVerified : res::kWriteDone)
        .arg(transfer.blocksWritten());
}

QString BatchResultText(const BatchRadio& radio)
{
    using Outcome = RadioTransfer::Outcome;
    switch (radio.outcome) {
    case Outcome::Succeeded:
        return res::Tr(radio.serialKept ? res::kBatchOkSerialKept : res::kBatchOk);
    case Outcome::AlreadyWritten:
        return res::Tr(res::kBatchSkipped);
    default:
        break;
    }
    QString why = res::Tr(TransferOutcomeText(radio.outcome));
    QString line = TransferFailureLine(radio.failure);
    if (radio.outcome == Outcome::VerifyMismatch)
        line = res::Tr(res::kVerifyDifferences)
                   .arg(MemoryAreaNames(radio.differences).join(res::Tr(res::kListSeparator)));
    if (!line.isEmpty())
        why += QLatin1Char(' ') + line;
    return res::Tr(res::kBatchFailed).arg(why);
}

QString BatchVerificationText(const BatchRadio& radio, bool verify)
{
    using Outcome = RadioTransfer::Outcome;
    if (!verify || radio.outcome == Outcome::AlreadyWritten || radio.blocksWritten == 0)
        return res::Tr(res::kBatchNotVerified);
    if (radio.outcome == Outcome::Succeeded)
        return res::Tr(res::kBatchVerified);
    if (radio.outcome == Outcome::VerifyMismatch)
        return res::Tr(res::kVerifyMismatch);
    return res::Tr(res::kBatchNotVerified);
}

QStringList BatchLogHeader()
{
    return {res::Tr(res::kBatchTime), res::Tr(res::kBatchSerial), res::Tr(res::kBatchResult),
            res::Tr(res::kBatchVerification), res::Tr(res::kBatchBackup)};
}

QStringList BatchLogFields(const BatchRadio& radio, bool verify)
{
    return {radio.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
            radio.serial.empty() ? res::Tr(res::kBatchNone) : QString::fromStdString(radio.serial),
            BatchResultText(radio), BatchVerificationText(radio, verify),
            QDir::toNativeSeparators(radio.preWriteBackup)};
}

QString PortHolderText(const PortHolder& h)
{
    if (h.pid <= 0)
        return {};
    const QString name = h.name.isEmpty() ? res::Tr(res::kPortHolderProcess).arg(h.pid)
                                          : res::Tr(res::kPortHolderNamed).arg(h.name).arg(h.pid);
    return h.host.isEmpty() ? name : res::Tr(res::kPortHolderOnHost).arg(name, h.host);
}

QString PortProblemText(const PortProblem& p)
{
    switch (p.failure) {
    case PortFailure::None:
        return {};
    case PortFailure::NoPortChosen:
        return res::Tr(res::kPortNotChosen);
    case PortFailure::NoSuchDevice: {
        const QString existing =
            p.available.isEmpty()
                ? res::Tr(res::kPortNoDevices)
                : res::Tr(res::kPortDevicesFound).arg(p.available.join(res::Tr(res::kListSeparator)));
        return res::Tr(res::kPortNoSuchDevice).arg(p.device, existing);
    }
    case PortFailure::PermissionDenied:
        // A device of the group root is meant for root alone: joining root is no advice to give.
        if (p.group.isEmpty() || p.group == QLatin1String("root"))
            return res::Tr(res::kPortRootOnly).arg(p.device);
        return res::Tr(res::kPortNotInGroup).arg(p.device, p.group);
    case PortFailure::Busy: {
        const QString holder = PortHolderText(p.holder);
        // ModemManager probes every new USB serial device; without a name it is the usual suspect.
        if (holder.isEmpty() ||
            p.holder.name.compare(QLatin1String("ModemManager"), Qt::CaseInsensitive) == 0)
            return res::Tr(res::kPortBusyModemManager)
                .arg(p.device, holder.isEmpty() ? res::Tr(res::kPortAnotherProgram) : holder);
        return res::Tr(res::kPortBusy).arg(p.device, holder);
    }
    case PortFailure::NotSerialPort:
        return res::Tr(res::kPortNotSerial).arg(p.device);
    case PortFailure::Other:
        break;
    }
    return p.systemText.isEmpty() ? res::Tr(res::kPortCannotOpen).arg(p.device)
                                  : res::Tr(res::kPortSystemText).arg(p.device, p.systemText);
}

QString MemoryAreaName(const MemoryArea& area)
{
    using Kind = MemoryArea::Kind;
    switch (area.kind) {
    case Kind::Channel:
        return res::Tr(res::kAreaChannel).arg(area.number);
    case Kind::Settings:
        return res::Tr(res::kSettingsGroup);
    case Kind::SideKeys:
        return res::Tr(res::kSideKeyCaption);
    case Kind::Dtmf:
        return res::Tr(res::kDtmfCaption);
    case Kind::Password:
        return res::Tr(res::kPasswordLabel);
    case Kind::FmPreset:
        return res::Tr(res::kAreaFmPreset).arg(area.number);
    case Kind::Address:
        return res::Tr(res::kAreaAddress)
            .arg(QStringLiteral("%1").arg(area.number, 3, 16, QLatin1Char('0')).toUpper());
    case Kind::Band:
        return res::Tr(res::kAreaBand);
    }
    return {};
}

QStringList MemoryAreaNames(const std::vector<MemoryArea>& areas)
{
    QStringList names;
    for (const MemoryArea& a : areas)
        names << MemoryAreaName(a);
    return names;
}

} // namespace orx
