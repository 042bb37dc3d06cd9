// Start-up benchmark: time from starting the process to the first paint of its main window, for
// orxprog with a new document and for a bare QMainWindow program of the same build, run in turns,
// several times each. Prints both medians of the wall time, the least CPU time (user and system,
// steadier than the wall clock on a shared machine), their ratios, and the peak resident size.
//
//   orx-startup-bench [--runs N] [--display] [--bin FOLDER]
//   (default 15 runs, offscreen platform, the programs beside the benchmark; --bin measures the
//   orxprog and orx-bare-window of another build, for a before-and-after in one session)

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Sample {
    double ms = 0;
    double cpuMs = 0;
    long peakKb = 0;
};

// CPU time (user and system) of the children waited for so far.
double childrenCpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    auto ms = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1e3 + t.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

bool runOnce(const QString& program, const QString& workDir, bool display, Sample& out)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ORX_REPORT_FIRST_PAINT"), QStringLiteral("1"));
    if (!display)
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(workDir);
    const double cpuBefore = childrenCpuMs();
    QElapsedTimer timer;
    timer.start();
    p.start(program, {});
    if (!p.waitForStarted(10000))
        return false;
    QByteArray line;
    while (!line.contains('\n')) {
        if (!p.waitForReadyRead(20000))
            return false;
        line += p.readAllStandardOutput();
    }
    out.ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    const QList<QByteArray> words = line.trimmed().split(' ');
    out.peakKb = words.value(1).toLong();
    p.waitForFinished(10000);
    out.cpuMs = childrenCpuMs() - cpuBefore;
    return words.value(0) == "painted";
}

template <class T> T median(std::vector<T> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? T{} : v[v.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    int runs = 15;
    bool display = false;
    const QStringList args = app.arguments();
    QString bin = QCoreApplication::applicationDirPath();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--runs") && i + 1 < args.size())
            runs = std::max(1, args[++i].toInt());
        else if (args[i] == QLatin1String("--display"))
            display = true;
        else if (args[i] == QLatin1String("--bin") && i + 1 < args.size())
            bin = QDir(args[++i]).absolutePath();
    }
    const QString orxprog = bin + QStringLiteral("/orxprog");
    const QString bare = bin + QStringLiteral("/orx-bare-window");
    // orxprog keeps Program.ini beside itself; a scratch copy keeps the build folder untouched.
    QTemporaryDir scratch;
    const QString copy = scratch.path() + QStringLiteral("/orxprog");
    QFile::copy(orxprog, copy);

    std::vector<double> progMs, bareMs, progCpu, bareCpu;
    std::vector<long> progKb, bareKb;
    // One warm-up run each, so both start with the libraries in the page cache.
    Sample s;
    runOnce(copy, scratch.path(), display, s);
    runOnce(bare, scratch.path(), display, s);
    for (int i = 0; i < runs; ++i) {
        if (!runOnce(copy, scratch.path(), display, s)) {
            std::fprintf(stderr, "orxprog did not report its first paint\n");
            return 1;
        }
        progMs.push_back(s.ms);
        progCpu.push_back(s.cpuMs);
        progKb.push_back(s.peakKb);
        if (!runOnce(bare, scratch.path(), display, s)) {
            std::fprintf(stderr, "the bare window did not report its first paint\n");
            return 1;
        }
        bareMs.push_back(s.ms);
        bareCpu.push_back(s.cpuMs);
        bareKb.push_back(s.peakKb);
    }
    const double p = median(progMs), b = median(bareMs);
    std::printf("start-up to first paint, median of %d runs (%s platform)\n", runs,
                display ? "display" : "offscreen");
    std::printf("  orxprog (new document)  %8.1f ms   peak RSS %7ld kB\n", p, median(progKb));
    std::printf("  bare QMainWindow        %8.1f ms   peak RSS %7ld kB\n", b, median(bareKb));
    std::printf("  ratio                   %8.2f\n", b > 0 ? p / b : 0.0);
    const double pc = *std::min_element(progCpu.begin(), progCpu.end());
    const double bc = *std::min_element(bareCpu.begin(), bareCpu.end());
    std::printf("CPU time to exit after the first paint, least of %d runs\n", runs);
    std::printf("  orxprog (new document)  %8.1f ms\n", pc);
    std::printf("  bare QMainWindow        %8.1f ms\n", bc);
    std::printf("  ratio                   %8.2f      (target at most 1.30)\n", bc > 0 ? pc / bc : 0.0);
    return 0;
}
