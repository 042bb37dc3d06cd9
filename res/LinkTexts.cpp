#include "LinkTexts.h"

#include "Texts.h"
#include "Tr.h"

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
    if (outcome == RadioTransfer::Outcome::PasswordError)
        return res::Tr(res::kPasswordHint).arg(res::Tr(res::kPasswordLabel));
    return outcome == RadioTransfer::Outcome::PortOpenFailed ? PortProblemText(transfer.portProblem())
                                                             : QString();
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
