// orxtool read / write: the radio transfer of the program's "读数据" and "写数据", from a script.
// The same transfer class runs here, with a progress bar on the terminal instead of the dialog and
// the program's messages on stderr. It keeps the program's backups, and Ctrl+C stops it at the next
// block as the dialog's "取消" does.

#include "Commands.h"
#include "ToolSupport.h"

#include "Backups.h"
#include "Band.h"
#include "ChannelDataFile.h"
#include "LinkTexts.h"
#include "Texts.h"
#include "ToolLanguage.h"
#include "Tr.h"
#include "RadioTransfer.h"
#include "ScreenCopy.h"
#include "SettingsCodec.h"

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
    QString detail;
    if (outcome == Outcome::PortOpenFailed)
        detail = PortExplanation(transfer);
    else if (outcome == Outcome::VerifyMismatch)
        detail = orx::TransferDifferencesText(transfer);
    if (!detail.isEmpty())
        std::fprintf(stderr, "%s\n", detail.toUtf8().constData());
    return ExitRadioFailed;
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
            PrintError("a password is up to 6 digits");
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
        PrintError("a band is LOW-HIGH in MHz, for example 136-174");
        return ExitBadInput;
    }

    // What the program would write after opening the file: the image as its save encodes it,
    // with the band the file selects.
    orx::BandLimits limits;
    orx::RadioImage image = orx::LoadAndSave(file, catalog, limits);
    if (band)
        orx::EncodeBandId(bandOverride, image);

    const auto app = EnsureApplication();
    orx::RadioTransfer transfer(orx::RadioTransfer::Mode::Write, PortArgument(invocation), image);
    transfer.setVerify(invocation.option("--verify") != nullptr);
    const auto outcome = RunTransfer(transfer, invocation, Tr(res::kToolWriting).c_str());
    if (outcome != orx::RadioTransfer::Outcome::Succeeded)
        return ReportFailure(transfer, outcome);
    return ExitOk;
}

} // namespace orxtool
