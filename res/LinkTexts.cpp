#include "LinkTexts.h"

#include "Texts.h"

namespace orx {

namespace {

QString tr8(const char* text)
{
    return QString::fromUtf8(text);
}

} // namespace

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
        return tr8(res::kReadCancelled);
    if (transfer.verifyStarted())
        return tr8(res::kVerifyCancelled);
    return tr8(res::kWriteStopped).arg(transfer.blocksWritten()).arg(RadioTransfer::kWriteBlocks);
}

QString TransferDifferencesText(const RadioTransfer& transfer)
{
    return tr8(res::kVerifyDifferences).arg(MemoryAreaNames(transfer.verifyDifferences()).join(tr8(res::kListSeparator)));
}

QString TransferBackupFailureText(const RadioTransfer& transfer)
{
    return transfer.backupError().isEmpty() ? QString() : tr8(res::kBackupFailed).arg(transfer.backupError());
}

QString TransferFailureDetail(const RadioTransfer& transfer, RadioTransfer::Outcome outcome)
{
    return outcome == RadioTransfer::Outcome::PortOpenFailed ? PortProblemText(transfer.portProblem()) : QString();
}

QString PortHolderText(const PortHolder& h)
{
    if (h.pid <= 0)
        return {};
    const QString name = h.name.isEmpty() ? tr8(res::kPortHolderProcess).arg(h.pid)
                                          : tr8(res::kPortHolderNamed).arg(h.name).arg(h.pid);
    return h.host.isEmpty() ? name : tr8(res::kPortHolderOnHost).arg(name, h.host);
}

QString PortProblemText(const PortProblem& p)
{
    switch (p.failure) {
    case PortFailure::None:
        return {};
    case PortFailure::NoPortChosen:
        return tr8(res::kPortNotChosen);
    case PortFailure::NoSuchDevice: {
        const QString existing = p.available.isEmpty()
                                     ? tr8(res::kPortNoDevices)
                                     : tr8(res::kPortDevicesFound).arg(p.available.join(tr8(res::kListSeparator)));
        return tr8(res::kPortNoSuchDevice).arg(p.device, existing);
    }
    case PortFailure::PermissionDenied:
        // A device of the group root is meant for root alone: joining root is no advice to give.
        if (p.group.isEmpty() || p.group == QLatin1String("root"))
            return tr8(res::kPortRootOnly).arg(p.device);
        return tr8(res::kPortNotInGroup).arg(p.device, p.group);
    case PortFailure::Busy: {
        const QString holder = PortHolderText(p.holder);
        // ModemManager probes every new USB serial device; without a name it is the usual suspect.
        if (holder.isEmpty() || p.holder.name.compare(QLatin1String("ModemManager"), Qt::CaseInsensitive) == 0)
            return tr8(res::kPortBusyModemManager).arg(p.device, holder.isEmpty() ? tr8(res::kPortAnotherProgram) : holder);
        return tr8(res::kPortBusy).arg(p.device, holder);
    }
    case PortFailure::NotSerialPort:
        return tr8(res::kPortNotSerial).arg(p.device);
    case PortFailure::Other:
        break;
    }
    return p.systemText.isEmpty() ? tr8(res::kPortCannotOpen).arg(p.device)
                                  : tr8(res::kPortSystemText).arg(p.device, p.systemText);
}

QString MemoryAreaName(const MemoryArea& area)
{
    using Kind = MemoryArea::Kind;
    switch (area.kind) {
    case Kind::Channel:
        return tr8(res::kAreaChannel).arg(area.number);
    case Kind::Settings:
        return tr8(res::kSettingsGroup);
    case Kind::SideKeys:
        return tr8(res::kSideKeyCaption);
    case Kind::Dtmf:
        return tr8(res::kDtmfCaption);
    case Kind::Password:
        return tr8(res::kPasswordLabel);
    case Kind::FmPreset:
        return tr8(res::kAreaFmPreset).arg(area.number);
    case Kind::Address:
        return tr8(res::kAreaAddress).arg(QStringLiteral("%1").arg(area.number, 3, 16, QLatin1Char('0')).toUpper());
    case Kind::Band:
        return tr8(res::kAreaBand);
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
