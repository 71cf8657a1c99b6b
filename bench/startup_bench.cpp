// Start-up of the menu against a bare Qt window, side by side in one run.
//
//   build/bench/menugeral-bench-startup [runs] [program [yardstick]]
//
// A program and a yardstick given replace the menu and the bare window, to
// weigh one ingredient of the start-up at a time (two builds of the menu, say).
// Starts its own Xvfb with no window manager, so both programs are mapped as
// soon as they ask. Each run starts the bare window and the menu in turn, which
// one first alternating from run to run, and measures the time from the
// process start to the map of its window and to its first paint on screen, and
// the process's peak memory (VmHWM) once the window is up. Each program runs
// from a temporary directory of its own holding a configuration, as installed.
// What a real desktop adds (a window manager or compositor, Wayland, a scaled
// screen) is not measured.

#include "XvfbServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <poll.h>
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

// Copies `program` into `dir` with a configuration beside it, as installed;
// gives the copy, or nothing when it cannot be made.
QString installed(const QString &program, const QTemporaryDir &dir)
{
    const QString copy = dir.filePath(QFileInfo(program).fileName());
    QFile config(dir.filePath(u"configuracoes.ini"_s));
    if (!QFile::copy(program, copy) || !config.open(QIODevice::WriteOnly) ||
        config.write("[GestaoEmpresarial]\r\nModulo Gerencial=/usr/bin/true\r\n") < 0)
        return {};
    return copy;
}

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
    const QString menuProgram =
        argc > 2 ? QString::fromLocal8Bit(argv[2]) : QDir::cleanPath(QDir(benchDir).filePath(u"../bin/menugeral"_s));
    const QString bareProgram =
        argc > 3 ? QString::fromLocal8Bit(argv[3]) : QDir(benchDir).filePath(u"menugeral-bench-bare"_s);
    QTemporaryDir menuDir, bareDir, runtimeDir;
    const QString menu = installed(menuProgram, menuDir);
    const QString bare = installed(bareProgram, bareDir);
    if (menu.isEmpty() || bare.isEmpty()) {
        std::fprintf(stderr, "cannot copy %s and %s (build them first)\n", qPrintable(menuProgram),
                     qPrintable(bareProgram));
        return 1;
    }

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"DISPLAY"_s, display);
    env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    env.insert(u"XDG_RUNTIME_DIR"_s, runtimeDir.path());

    std::vector<double> bareMapped, menuMapped, barePainted, menuPainted, bareMemory, menuMemory;
    for (int run = 0; run <= runs; ++run) {
        // Each starts first in every other run, so that neither always follows
        // the other's exit (the server and the kernel still tidying up after it).
        std::optional<Sample> bareSample, menuSample;
        if (run % 2 == 0) {
            bareSample = measure(connection, bare, env);
            menuSample = measure(connection, menu, env);
        } else {
            menuSample = measure(connection, menu, env);
            bareSample = measure(connection, bare, env);
        }
        if (!bareSample || !menuSample) {
            std::fprintf(stderr, "a window did not appear\n");
            return 1;
        }
        if (run == 0)
            continue; // the first run warms the caches
        bareMapped.push_back(bareSample->mappedMs);
        menuMapped.push_back(menuSample->mappedMs);
        barePainted.push_back(bareSample->paintedMs);
        menuPainted.push_back(menuSample->paintedMs);
        bareMemory.push_back(double(bareSample->peakKilobytes));
        menuMemory.push_back(double(menuSample->peakKilobytes));
    }

    const double bareMem = median(bareMemory), menuMem = median(menuMemory);
    std::printf("menu: %s\nbare: %s\n", qPrintable(menuProgram), qPrintable(bareProgram));
    std::printf("measured under Xvfb with no window manager, %d runs each (medians);\n"
                "not measured: a real desktop (window manager or compositor, Wayland, a scaled screen)\n",
                runs);
    // Besides the medians: the fastest start of each, the least disturbed by
    // whatever else the machine does, and the median of the ratios of the two
    // starts of each run, which share that run's conditions.
    const auto report = [](const char *what, const std::vector<double> &bareMs, const std::vector<double> &menuMs) {
        std::vector<double> ratios;
        for (std::size_t i = 0; i < bareMs.size(); ++i)
            ratios.push_back(menuMs[i] / bareMs[i]);
        const double bareFastest = *std::min_element(bareMs.begin(), bareMs.end());
        const double menuFastest = *std::min_element(menuMs.begin(), menuMs.end());
        std::printf("%-23s bare %.1f ms, menu %.1f ms, ratio %.3f\n", what, median(bareMs), median(menuMs),
                    median(menuMs) / median(bareMs));
        std::printf("%-23s fastest: bare %.1f ms, menu %.1f ms, ratio %.3f; median of run ratios %.3f\n", "",
                    bareFastest, menuFastest, menuFastest / bareFastest, median(ratios));
    };
    report("start to window mapped:", bareMapped, menuMapped);
    report("start to first paint:", barePainted, menuPainted);
    std::printf("peak memory (VmHWM):    bare %.0f kB, menu %.0f kB, ratio %.3f\n", bareMem, menuMem,
                menuMem / bareMem);

    xcb_disconnect(connection);
    return 0;
}
