#include "LinkTestSupport.h"

#include "AppContext.h"
#include "MemoryMap.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace linktest {

SimulatedRadio::SimulatedRadio(const orx::sim::SimOptions& options)
    : m_sim(std::make_unique<orx::sim::RadioSim>(options)), m_previousPort(TestContext().PortName())
{
    m_ok = m_sim->open();
    if (!m_ok) {
        qWarning("simulated radio: %s", m_sim->error().c_str());
        return;
    }
    m_sim->start();
    TestContext().SetPortName(device());
}

SimulatedRadio::~SimulatedRadio()
{
    m_sim->stop();
    TestContext().SetPortName(m_previousPort);
}

ReplyGate::ReplyGate(orx::sim::RadioSim& radio, std::function<bool(const orx::sim::Frame&)> when,
                     std::function<void()> reached, int limitMs)
    : m_radio(radio)
{
    radio.setFrameObserver([state = m_state, when = std::move(when), reached = std::move(reached),
                            limitMs](const orx::sim::Frame& frame, const std::vector<std::uint8_t>&) {
        if (state->reached.load() || !when(frame))
            return;
        state->reached = true;
        if (reached)
            reached();
        std::unique_lock lock(state->mutex);
        state->cv.wait_for(lock, std::chrono::milliseconds(limitMs), [&state] { return state->open; });
    });
}

ReplyGate::~ReplyGate()
{
    open();
    m_radio.setFrameObserver({});
}

void ReplyGate::open()
{
    {
        std::lock_guard lock(m_state->mutex);
        m_state->open = true;
    }
    m_state->cv.notify_all();
}

void OnGuiThread(std::function<void()> fn)
{
    QMetaObject::invokeMethod(qApp, std::move(fn), Qt::QueuedConnection);
}

PrivateUserFolders::PrivateUserFolders()
    : m_previousData(qgetenv("XDG_DATA_HOME")), m_previousConfig(qgetenv("XDG_CONFIG_HOME"))
{
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataFolder()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configFolder()));
}

PrivateUserFolders::~PrivateUserFolders()
{
    for (const auto& [name, value] :
         {std::pair{"XDG_DATA_HOME", m_previousData}, std::pair{"XDG_CONFIG_HOME", m_previousConfig}}) {
        if (value.isEmpty())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
}

orx::LinkTimeouts QuickTimeouts()
{
    using std::chrono::milliseconds;
    const orx::SerialTimeouts quick{milliseconds(20), milliseconds(2), milliseconds(20), milliseconds(50),
                                    milliseconds(50)};
    return {quick, quick};
}

orx::LinkTimeouts ShortTimeouts()
{
    using std::chrono::milliseconds;
    orx::LinkTimeouts t;
    for (orx::SerialTimeouts* s : {&t.transfer, &t.powerTune}) {
        s->readMultiplier = milliseconds(5);
        s->readConstant = milliseconds(100);
    }
    return t;
}

orx::LinkTimeouts PatientTimeouts()
{
    orx::LinkTimeouts t;
    t.transfer.readConstant = std::chrono::seconds(8);
    t.powerTune.readConstant = std::chrono::seconds(8);
    return t;
}

QStringList SinFiles(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral("*.sin")}, QDir::Files, QDir::Name);
}

Bytes WakeUp()
{
    return {0x02, 0x50, 0x52, 0x4F, 0x47, 0x52, 0x43};
}

Bytes Handshake()
{
    return Concat({WakeUp(), {0x4D, 0x02}, {0x06}});
}

Bytes ReadFrame(std::size_t address, int length)
{
    return {0x52, static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address & 0xFF),
            static_cast<std::uint8_t>(length)};
}

Bytes WriteFrame(std::size_t address, const Bytes& data)
{
    Bytes f{0x57, static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address & 0xFF),
            static_cast<std::uint8_t>(data.size())};
    f.insert(f.end(), data.begin(), data.end());
    return f;
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

Bytes Repeat(const Bytes& part, int times)
{
    Bytes out;
    for (int i = 0; i < times; ++i)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

Bytes WholeRead()
{
    Bytes out = Concat({Handshake(), ReadFrame(0x840), {0x06}});
    for (std::size_t a = 0; a < 0x1000; a += 8)
        out = Concat({out, ReadFrame(a), {0x06}});
    return out;
}

int PreReadFrames(PreRead preRead)
{
    return preRead == PreRead::None ? 0 : preRead == PreRead::Serial ? 2 * 2 : 2 * 512;
}

Bytes WholeWrite(const orx::RadioImage& image, PreRead preRead)
{
    Bytes out = Concat({Handshake(), ReadFrame(0xFF0), {0x06}});
    if (preRead == PreRead::Serial)
        out = Concat({out, ReadFrame(0x3E0), {0x06}, ReadFrame(0x3E8), {0x06}});
    if (preRead == PreRead::Whole)
        for (std::size_t a = 0; a < 0x1000; a += 8)
            out = Concat({out, ReadFrame(a), {0x06}});
    out = Concat({out, Handshake()});
    for (std::size_t a = 0; a < 0xE00; a += 8) {
        const auto block = image.bytes(a, 8);
        out = Concat({out, WriteFrame(a, Bytes(block.begin(), block.end()))});
    }
    const auto band = image.bytes(orx::map::kBandId, orx::map::kBandIdSize);
    return Concat({out, WriteFrame(0xFF0, Bytes(band.begin(), band.end()))});
}

orx::RadioImage PatternImage(std::uint8_t seed)
{
    orx::RadioImage image;
    for (std::size_t i = 0; i < orx::map::kImageSize; ++i)
        image.set(i, static_cast<std::uint8_t>((i * 7 + (i >> 8) * 13 + seed) & 0xFF));
    return image;
}

QByteArray Hex(const Bytes& bytes)
{
    QByteArray out;
    for (std::uint8_t b : bytes) {
        if (!out.isEmpty())
            out.append(' ');
        out.append(QByteArray::number(b, 16).rightJustified(2, '0').toUpper());
    }
    return out;
}

QTimer* WhenModal(const char* className, std::function<void(QWidget*)> fn, int timeoutMs)
{
    auto* timer = new QTimer;
    auto deadline = std::make_shared<QDeadlineTimer>(timeoutMs);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, deadline, className, fn = std::move(fn)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible() && modal->inherits(className)) {
            timer->stop();
            timer->deleteLater();
            fn(modal);
            return;
        }
        if (deadline->hasExpired()) {
            timer->stop();
            timer->deleteLater();
            qWarning("no %s opened", className);
        }
    });
    timer->start();
    return timer;
}

} // namespace linktest
