// Start-up of the menu against two floors, side by side in one run: a bare Qt
// window, and a bare Qt window that paints the menu's background read from a
// PNG file the obvious way (what showing that picture costs at best).
//
//   build/bench/menugeral-bench-startup [runs] [program [yardstick]]
//
// A program and a yardstick given replace the menu and the floors, to weigh
// one ingredient of the start-up at a time (two builds of the menu, say).
// Starts its own Xvfb with no window manager, so every program is mapped as
// soon as it asks. Each run starts the programs in turn, which one first
// changing from run to run, and measures the time from the process start to
// the map of its window and to its first paint on screen, and the process's
// peak memory (VmHWM) once the window is up. Each program runs from a
// temporary directory of its own holding a configuration, as installed.
// What a real desktop adds (a window manager or compositor, Wayland, a scaled
// screen) is not measured.
//
// MENUGERAL_BENCH_COLD=1 (as root) drops the page cache before every start,
// as after a reboot: the first start of the morning, read from the disk.

#include "XvfbServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <poll.h>
#include <unistd.h>
#include <utility>
#include <vector>
#include <xcb/xcb.h>

using namespace Qt::StringLiterals;

namespace {

struct Sample
{
    double mappedMs;  // start to the window mapped
    double paintedMs; // start to its first paint on screen
    long peakKilobytes;
};

long peakMemoryKilobytes(qint64 pid)
{
    QFile status(u"/proc/%1/status"_s.arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

// Waits for the next top-level window to be mapped on the display; gives it.
xcb_window_t waitForMap(xcb_connection_t *connection, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        while (xcb_generic_event_t *event = xcb_poll_for_event(connection)) {
            xcb_window_t mapped = XCB_NONE;
            if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY)
                mapped = reinterpret_cast<xcb_map_notify_event_t *>(event)->window;
            std::free(event);
            if (mapped != XCB_NONE)
                return mapped;
        }
        pollfd descriptor{xcb_get_file_descriptor(connection), POLLIN, 0};
        poll(&descriptor, 1, 5);
    }
    return XCB_NONE;
}

// The pixel at the window's centre as the screen shows it.
std::optional<uint32_t> centrePixel(xcb_connection_t *connection, xcb_window_t window)
{
    const auto geometry = std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)>(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr), &std::free);
    if (!geometry)
        return std::nullopt;
    const auto image = std::unique_ptr<xcb_get_image_reply_t, decltype(&std::free)>(
        xcb_get_image_reply(connection,
                            xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, int16_t(geometry->width / 2),
                                          int16_t(geometry->height / 2), 1, 1, ~0u),
                            nullptr),
        &std::free);
    if (!image || xcb_get_image_data_length(image.get()) < 4)
        return std::nullopt;
    uint32_t pixel = 0;
    std::memcpy(&pixel, xcb_get_image_data(image.get()), sizeof pixel);
    return pixel & 0x00FFFFFFu;
}

// Waits until the window's first paint reaches the screen: a freshly mapped
// window shows black until its program draws into it.
bool waitForFirstPaint(xcb_connection_t *connection, xcb_window_t window, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        const auto pixel = centrePixel(connection, window);
        if (pixel && *pixel != 0)
            return true;
        QThread::usleep(200);
    }
    return false;
}

std::optional<Sample> measure(xcb_connection_t *connection, const QString &program, const QProcessEnvironment &env)
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProgram(program);
    QElapsedTimer timer;
    timer.start();
    process.start();
    const xcb_window_t window = process.waitForStarted(5000) ? waitForMap(connection, 10000) : XCB_NONE;
    const double mapped = double(timer.nsecsElapsed()) / 1e6;
    if (window == XCB_NONE || !waitForFirstPaint(connection, window, 10000)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(program),
                     window == XCB_NONE ? "no window was mapped" : "no paint reached the screen");
        process.kill();
        process.waitForFinished();
        return std::nullopt;
    }
    Sample sample{mapped, double(timer.nsecsElapsed()) / 1e6, 0};
    QThread::msleep(300); // let it settle after the first paint
    sample.peakKilobytes = peakMemoryKilobytes(process.processId());
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished();
    }
    return sample;
}

// Writes what the kernel holds of files back and drops it, so that the next
// start reads its program and libraries from the disk; false without root.
bool dropPageCache()
{
    ::sync();
    QFile control(u"/proc/sys/vm/drop_caches"_s);
    return control.open(QIODevice::WriteOnly) && control.write("3\n") == 2 && control.flush();
}

// Copies `program` into `dir` with a configuration and `extraFiles` beside it,
// as installed; gives the copy, or nothing when it cannot be made.
QString installed(const QString &program, const QTemporaryDir &dir, const QStringList &extraFiles = {})
{
    const QString copy = dir.filePath(QFileInfo(program).fileName());
    QFile config(dir.filePath(u"configuracoes.ini"_s));
    if (!QFile::copy(program, copy) || !config.open(QIODevice::WriteOnly) ||
        config.write("[GestaoEmpresarial]\r\nModulo Gerencial=/usr/bin/true\r\n") < 0)
        return {};
    for (const QString &file : extraFiles) {
        if (!QFile::copy(file, dir.filePath(QFileInfo(file).fileName())))
            return {};
    }
    return copy;
}

// One program measured, the menu or a floor, and its samples.
struct Contender
{
    Contender(QString nameShown, QString programGiven, QStringList besideIt = {})
        : name(std::move(nameShown)), program(std::move(programGiven)), extraFiles(std::move(besideIt))
    {}

    QString name;
    QString program; // as given
    QStringList extraFiles;
    std::unique_ptr<QTemporaryDir> dir = std::make_unique<QTemporaryDir>();
    QString copy;
    std::vector<double> mapped, painted, memory;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 15;
    const bool cold = qEnvironmentVariableIntValue("MENUGERAL_BENCH_COLD") == 1;

    menugeral::test::XvfbServer xvfb;
    if (const auto problem = xvfb.start()) {
        std::fprintf(stderr, "%s\n", qPrintable(*problem));
        return 1;
    }
    const QString display = xvfb.display();
    xcb_connection_t *connection = xcb_connect(display.toLatin1().constData(), nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "cannot connect to %s\n", qPrintable(display));
        return 1;
    }
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);

    const QString benchDir = QCoreApplication::applicationDirPath();
    std::vector<Contender> contenders;
    if (argc > 2) {
        contenders.emplace_back(u"program"_s, QString::fromLocal8Bit(argv[2]));
        contenders.emplace_back(u"yardstick"_s, argc > 3 ? QString::fromLocal8Bit(argv[3])
                                                         : QDir(benchDir).filePath(u"menugeral-bench-bare"_s));
    } else {
        contenders.emplace_back(u"menu"_s, QDir::cleanPath(QDir(benchDir).filePath(u"../bin/menugeral"_s)));
        contenders.emplace_back(u"bare"_s, QDir(benchDir).filePath(u"menugeral-bench-bare"_s));
        contenders.emplace_back(u"picture"_s, QDir(benchDir).filePath(u"menugeral-bench-picture"_s),
                                QStringList{QStringLiteral(MENUGERAL_BACKGROUND_PNG)});
    }
    for (Contender &contender : contenders) {
        contender.copy = installed(contender.program, *contender.dir, contender.extraFiles);
        if (contender.copy.isEmpty()) {
            std::fprintf(stderr, "cannot copy %s (build it first)\n", qPrintable(contender.program));
            return 1;
        }
    }
    QTemporaryDir runtimeDir;

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"DISPLAY"_s, display);
    env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    env.insert(u"XDG_RUNTIME_DIR"_s, runtimeDir.path());

    const std::size_t count = contenders.size();
    for (int run = 0; run <= runs; ++run) {
        // Each starts first in turn, and the order reverses every other run,
        // so that none always follows the same other's exit (the server and
        // the kernel still tidying up after it).
        std::vector<std::optional<Sample>> samples(count);
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t turn = (std::size_t(run) + i) % count;
            const std::size_t which = run % 2 == 0 ? turn : count - 1 - turn;
            if (cold && !dropPageCache()) {
                std::fprintf(stderr, "MENUGERAL_BENCH_COLD needs root to drop the page cache\n");
                return 1;
            }
            samples[which] = measure(connection, contenders[which].copy, env);
            if (!samples[which]) {
                std::fprintf(stderr, "a window did not appear\n");
                return 1;
            }
        }
        if (run == 0)
            continue; // the first run warms the caches
        for (std::size_t i = 0; i < count; ++i) {
            contenders[i].mapped.push_back(samples[i]->mappedMs);
            contenders[i].painted.push_back(samples[i]->paintedMs);
            contenders[i].memory.push_back(double(samples[i]->peakKilobytes));
        }
    }

    for (const Contender &contender : contenders)
        std::printf("%-9s %s\n", qPrintable(contender.name + u':'), qPrintable(contender.program));
    if (cold)
        std::printf("each started after the page cache was dropped\n");
    std::printf("measured under Xvfb with no window manager, %d runs each (medians);\n"
                "not measured: a real desktop (window manager or compositor, Wayland, a scaled screen)\n",
                runs);
    // Besides the medians: the least of each (the fastest start, the least
    // disturbed by whatever else the machine does), the ratio of the medians,
    // and the median of the ratios of the starts of each run, which share
    // that run's conditions.
    const Contender &first = contenders.front();
    const auto report = [&](const char *what, std::vector<double> Contender::*samples, const char *unit) {
        std::printf("%s, %s\n", what, unit);
        std::printf("  %-10s %9s %9s %9s %9s\n", "", "median", "least", "ratio", "run ratio");
        for (const Contender &contender : contenders) {
            const std::vector<double> &values = contender.*samples;
            std::printf("  %-10s %9.1f %9.1f", qPrintable(contender.name), median(values),
                        *std::min_element(values.begin(), values.end()));
            if (&contender == &first) {
                std::printf("\n");
                continue;
            }
            const std::vector<double> &ours = first.*samples;
            std::vector<double> ratios;
            for (std::size_t i = 0; i < values.size(); ++i)
                ratios.push_back(ours[i] / values[i]);
            std::printf(" %9.3f %9.3f   %s / %s\n", median(ours) / median(values), median(ratios),
                        qPrintable(first.name), qPrintable(contender.name));
        }
    };
    report("start to window mapped", &Contender::mapped, "ms");
    report("start to first paint", &Contender::painted, "ms");
    report("peak memory (VmHWM)", &Contender::memory, "kB");

    xcb_disconnect(connection);
    return 0;
}
