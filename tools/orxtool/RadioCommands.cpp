// orxtool read / write: the radio transfer of the program's "读数据" and "写数据", from a script.
// The same transfer class runs here, with a progress bar on the terminal instead of the dialog and
// the program's messages on stderr.

#include "Commands.h"
#include "ToolSupport.h"

#include "Band.h"
#include "ChannelDataFile.h"
#include "RadioTransfer.h"
#include "ScreenCopy.h"
#include "SettingsCodec.h"

#include <QCoreApplication>
#include <QString>

#include <unistd.h>

#include <cstdio>
#include <memory>

namespace orxtool {

namespace {

// Qt's serial port wants an application object; the tool has none of its own.
std::unique_ptr<QCoreApplication> EnsureApplication()
{
    if (QCoreApplication::instance())
        return nullptr;
    static int argc = 1;
    static char name[] = "orxtool";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QCoreApplication>(argc, argv);
}

// "[##########----------]  50%" redrawn in place while stderr is a terminal; nothing otherwise,
// so that a script's log holds only the messages.
class ProgressBar {
public:
    ProgressBar(const char* label, int total)
        : m_label(label), m_total(total), m_shown(::isatty(STDERR_FILENO) == 1)
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

orx::RadioTransfer::Outcome RunTransfer(orx::RadioTransfer& transfer, const char* label)
{
    ProgressBar bar(label, transfer.blockCount());
    QObject::connect(&transfer, &orx::RadioTransfer::blockDone, [&bar](int done) { bar.draw(done); });
    return transfer.run();
}

int ReportFailure(const orx::RadioTransfer& transfer, orx::RadioTransfer::Outcome outcome)
{
    PrintError(orx::RadioTransfer::OutcomeText(outcome));
    if (!transfer.failureDetail().isEmpty())
        std::fprintf(stderr, "%s\n", transfer.failureDetail().toUtf8().constData());
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
    const auto outcome = RunTransfer(transfer, "读数据");
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
    const auto outcome = RunTransfer(transfer, "写数据");
    if (outcome != orx::RadioTransfer::Outcome::Succeeded)
        return ReportFailure(transfer, outcome);
    return ExitOk;
}

} // namespace orxtool
