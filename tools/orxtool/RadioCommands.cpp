// orxtool read / write: the radio transfer of the program's "读数据" and "写数据", from a script.
// The same transfer class runs here, with a progress bar on the terminal instead of the dialog and
// the program's messages on stderr. It keeps the program's backups, and Ctrl+C stops it at the next
// block as the dialog's "取消" does, and within a fraction of a second while it waits on a silent
// radio. A write first reads the radio and keeps what it held, and keeps the radio's own serial
// number; --repeat writes one radio after the other on the same cable.

#include "Commands.h"
#include "ToolSupport.h"

#include "Backups.h"
#include "Band.h"
#include "BatchLog.h"
#include "ChannelDataFile.h"
#include "ContinuousWrite.h"
#include "LinkTexts.h"
#include "Texts.h"
#include "ToolLanguage.h"
#include "Tr.h"
#include "RadioTransfer.h"
#include "ScreenCopy.h"
#include "SettingsCodec.h"
#include "Texts.h"
#include "Tr.h"

#include <QCoreApplication>
#include <QString>

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <memory>

namespace orxtool {

namespace {

// Qt's serial port wants an application object; the tool has none of its own. It carries the
// program's name, so the backups go to the program's own data folder.
std::unique_ptr<QCoreApplication> EnsureApplication()
{
    if (QCoreApplication::instance())
        return nullptr;
    static int argc = 1;
    static char name[] = "orxtool";
    static char* argv[] = {name, nullptr};
    auto app = std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("orxprog"));
    return app;
}

// Ctrl+C asks the running transfer to stop at the next block; a second Ctrl+C ends the tool at once.
std::atomic<orx::RadioTransfer*> g_running{nullptr};

void onInterrupt(int)
{
    if (orx::RadioTransfer* t = g_running.load())
        t->requestCancel();
}

class InterruptStops {
public:
    explicit InterruptStops(orx::RadioTransfer& transfer)
    {
        g_running = &transfer;
        struct sigaction action {};
        action.sa_handler = onInterrupt;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESETHAND;
        sigaction(SIGINT, &action, &m_previous);
    }
    ~InterruptStops()
    {
        sigaction(SIGINT, &m_previous, nullptr);
        g_running = nullptr;
    }
    InterruptStops(const InterruptStops&) = delete;
    InterruptStops& operator=(const InterruptStops&) = delete;

private:
    struct sigaction m_previous {};
};

// "[##########----------]  50%" redrawn in place while stderr is a terminal; nothing otherwise,
// so that a script's log holds only the messages.
class ProgressBar {
public:
    ProgressBar(const char* label, int total)
        : m_label(label), m_total(total), m_shown(::isatty(STDERR_FILENO) == 1 && !Quiet())
    {
        draw(0);
    }
    ~ProgressBar()
    {
        if (m_shown)
            std::fputc('\n', stderr);
    }
    void draw(int done)
    {
        const int percent = done * 100 / m_total;
        if (!m_shown || percent == m_lastPercent)
            return;
        m_lastPercent = percent;
        constexpr int kWidth = 40;
        const int filled = done * kWidth / m_total;
        std::fprintf(stderr, "\r%s [%.*s%.*s] %3d%%", m_label, filled, kHashes, kWidth - filled, kDashes,
                     percent);
        std::fflush(stderr);
    }

private:
    static constexpr const char* kHashes = "########################################";
    static constexpr const char* kDashes = "----------------------------------------";
    const char* m_label;
    int m_total;
    bool m_shown;
    int m_lastPercent = -1;
};

QString PortArgument(const Invocation& invocation)
{
    return QString::fromLocal8Bit(invocation.arguments.at(0).c_str());
}

std::string utf8(const QString& text)
{
    return text.toUtf8().toStdString();
}

orx::RadioTransfer::Outcome RunTransfer(orx::RadioTransfer& transfer, const Invocation& invocation,
                                        const char* label)
{
    if (!invocation.option("--no-backup"))
        transfer.setBackupFolder(orx::BackupFolder());
    ProgressBar bar(label, transfer.blockCount());
    QObject::connect(&transfer, &orx::RadioTransfer::blockDone, [&bar](int done) { bar.draw(done); });
    const InterruptStops interrupt(transfer);
    const auto outcome = transfer.run();
    if (!transfer.backupError().isEmpty())
        PrintError(utf8(orx::TransferBackupFailureText(transfer)));
    return outcome;
}

// The port's explanation in the tool's own terms: the port is its PORT argument, not a menu.
QString PortExplanation(const orx::RadioTransfer& transfer)
{
    switch (transfer.portProblem().failure) {
    case orx::PortFailure::NoPortChosen:
        return res::Tr(res::kToolPortEmpty);
    case orx::PortFailure::NoSuchDevice:
        return orx::PortProblemText(transfer.portProblem()) + res::Tr(res::kToolPortArgument);
    case orx::PortFailure::NotSerialPort:
        return res::Tr(res::kToolPortNotSerial).arg(transfer.portProblem().device);
    default:
        return orx::PortProblemText(transfer.portProblem());
    }
}

int ReportFailure(const orx::RadioTransfer& transfer, orx::RadioTransfer::Outcome outcome)
{
    using Outcome = orx::RadioTransfer::Outcome;
    if (outcome == Outcome::Cancelled) {
        PrintError(utf8(orx::TransferCancelStatus(transfer)));
        return ExitInterrupted;
    }
    PrintError(Tr(orx::TransferOutcomeText(outcome)));
    // The same line as the details of the window's message: the step and the block.
    QString detail = outcome == Outcome::PortOpenFailed ? PortExplanation(transfer)
                                                        : orx::TransferFailureDetail(transfer, outcome);
    // The window's hint names its settings panel; here the password is an option.
    if (outcome == Outcome::PasswordError) {
        detail = orx::TransferFailureLine(transfer.failure());
        detail += (detail.isEmpty() ? QString() : QStringLiteral("\n")) + res::Tr(res::kToolPasswordHint);
    }
    if (!detail.isEmpty())
        std::fprintf(stderr, "%s\n", detail.toUtf8().constData());
    return ExitRadioFailed;
}

// --repeat: one radio after the other, a line for each on standard output and in the batch log
// beside the backups.
int RunRepeatedWrite(const Invocation& invocation, const orx::RadioImage& image, int radios)
{
    orx::ContinuousWrite batch(PortArgument(invocation), image);
    const bool verify = invocation.option("--verify") != nullptr;
    batch.setVerify(verify);
    batch.setPreWriteBackup(!invocation.option("--no-backup"));
    batch.setKeepRadioSerial(!invocation.option("--serial-from-file"));
    if (!invocation.option("--no-backup"))
        batch.setBackupFolder(orx::BackupFolder());
    batch.setLimit(radios);

    orx::BatchLog log;
    QString logError;
    if (!log.create(orx::BackupFolder(), orx::BatchLogHeader(), QDateTime::currentDateTime(), &logError))
        PrintError(utf8(res::Tr(res::kBatchLogFailed).arg(logError)));
    std::unique_ptr<ProgressBar> bar;
    const std::string writing = Tr(res::kToolWriting);
    QObject::connect(&batch, &orx::ContinuousWrite::radioStarted,
                     [&] { bar = std::make_unique<ProgressBar>(writing.c_str(), batch.blockCount()); });
    QObject::connect(&batch, &orx::ContinuousWrite::blockDone, [&bar](int done) {
        if (bar)
            bar->draw(done);
    });
    QObject::connect(&batch, &orx::ContinuousWrite::radioDone, [&](const orx::BatchRadio& r) {
        bar.reset();
        const QStringList fields = orx::BatchLogFields(r, verify);
        log.append(fields);
        std::printf("%d  %s\n", r.number, utf8(fields.mid(0, 4).join(QStringLiteral("  "))).c_str());
        std::fflush(stdout);
        if (r.outcome == orx::RadioTransfer::Outcome::PortOpenFailed)
            std::fprintf(stderr, "%s\n", utf8(PortExplanation(batch.transfer())).c_str());
    });
    const InterruptStops interrupt(batch.transfer());
    batch.run();
    bar.reset();
    int done = 0;
    for (const orx::BatchRadio& r : batch.radios())
        done += r.outcome == orx::RadioTransfer::Outcome::Succeeded;
    PrintNote(TrN(res::kToolBatchSummary, static_cast<int>(batch.radios().size()),
                  {std::to_string(done), std::to_string(batch.failures())}));
    if (batch.stoppedDuringWrite()) {
        PrintError(utf8(orx::TransferCancelStatus(batch.transfer())));
        return ExitInterrupted;
    }
    if (batch.failures() > 0)
        return ExitRadioFailed;
    // Ctrl+C while waiting for a radio (with --repeat 0 the way to end a batch).
    return batch.transfer().cancelRequested() ? ExitInterrupted : ExitOk;
}

} // namespace

int RunRead(const Invocation& invocation)
{
    if (RefuseBinaryToTerminal(invocation.arguments.at(1)))
        return ExitBadInput;
    const auto app = EnsureApplication();
    // The radio's password is checked against the one given here, as against the form's field.
    orx::RadioImage image;
    if (const std::string* password = invocation.option("--password")) {
        if (password->size() > orx::kPasswordMaxLength ||
            password->find_first_not_of("0123456789") != std::string::npos) {
            PrintError(Tr(res::kToolBadPassword));
            return ExitBadInput;
        }
        orx::EncodePassword(*password, image);
    } else {
        orx::EncodePassword("", image);
    }

    orx::RadioTransfer transfer(orx::RadioTransfer::Mode::Read, PortArgument(invocation), image);
    const auto outcome = RunTransfer(transfer, invocation, Tr(res::kToolReading).c_str());
    if (outcome != orx::RadioTransfer::Outcome::Succeeded)
        return ReportFailure(transfer, outcome);

    return SaveOutput(invocation.arguments.at(1), transfer.received()) ? ExitOk : ExitOutputFailed;
}

int RunWrite(const Invocation& invocation)
{
    orx::RadioCatalog catalog;
    orx::RadioImage file;
    if (!LoadWithCatalog(invocation, 1, file, catalog))
        return ExitBadInput;
    orx::BandLimits bandOverride;
    const std::string* band = invocation.option("--band");
    if (band && !orx::ApplyBandText(*band, bandOverride)) {
        PrintError(Tr(res::kToolBadBand));
        return ExitBadInput;
    }

    // What the program would write after opening the file: the image as its save encodes it,
    // with the band the file selects.
    orx::BandLimits limits;
    orx::RadioImage image = orx::LoadAndSave(file, catalog, limits);
    if (band)
        orx::EncodeBandId(bandOverride, image);

    int repeat = -1;
    if (const std::string* n = invocation.option("--repeat")) {
        bool ok = false;
        repeat = QString::fromStdString(*n).toInt(&ok);
        if (!ok || repeat < 0) {
            PrintError(Tr(res::kToolBadRepeat));
            return ExitBadInput;
        }
    }

    const auto app = EnsureApplication();
    if (repeat >= 0)
        return RunRepeatedWrite(invocation, image, repeat);
    orx::RadioTransfer transfer(orx::RadioTransfer::Mode::Write, PortArgument(invocation), image);
    transfer.setVerify(invocation.option("--verify") != nullptr);
    // What the radio holds is kept before it is overwritten, and its serial number stays its own.
    transfer.setPreWriteBackup(!invocation.option("--no-backup"));
    transfer.setKeepRadioSerial(!invocation.option("--serial-from-file"));
    const auto outcome = RunTransfer(transfer, invocation, Tr(res::kToolWriting).c_str());
    if (const QString kept = orx::SerialKeptText(transfer); !kept.isEmpty())
        PrintError(utf8(kept));
    if (outcome != orx::RadioTransfer::Outcome::Succeeded)
        return ReportFailure(transfer, outcome);
    return ExitOk;
}

} // namespace orxtool
