// The latencies a user feels, each side by side with its floor in one run.
//
//   build/bench/menugeral-bench-latency [runs]      (default 21)
//
// Starts its own Xvfb (MENUGERAL_XVFB_DISPLAY chooses its number), without a
// window manager, and the menu from a temporary program directory whose
// "Gerencial" starts menugeral-bench-entry-probe. MENUGERAL_BENCH_MENU names
// another build of the menu to measure instead (to compare two builds). Input is sent through XTest;
// "mapped" and "active" are the X server's MapNotify and FocusIn as they reach
// this program. Each pair of a measurement and its floor runs in turn, which
// one first alternating from pair to pair.
//
// - Tile click: from the click to the first instruction of the started
//   program (it reads the monotonic clock), against posix_spawn of that
//   program from here.
// - F12 to the password dialog mapped, and the password's Enter to the
//   settings window mapped (Escape closes it again between runs).
// - Second start: from starting menugeral again to the running menu's window
//   made the active one (openbox now manages the display: which window is
//   active is a window manager's to say), against starting a bare Qt program
//   that only connects to a local socket, to its end.
//
// Not measured: a real desktop's window manager and compositor, which add
// their own work to each of these.
#include "latency/Spawn.h"
#include "latency/Summary.h"
#include "latency/TestDisplay.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

using namespace menugeral::bench;
using namespace Qt::StringLiterals;

namespace {

constexpr int kTimeoutMs = 10000;
constexpr std::uint32_t kF12 = 0xffc9;
constexpr std::uint32_t kReturn = 0xff0d;
constexpr std::uint32_t kEscape = 0xff1b;
// The centre of the "Gerencial" tile: its bounds in the modules panel, which
// lies at 21, 109 in the menu.
constexpr QPoint kGerencialTileCentre{21 + 28 + 161 / 2, 109 + 72 + 80 / 2};
// A spot on the menu's background with nothing to click.
constexpr QPoint kQuietSpot{400, 20};

double millisecondsBetween(std::int64_t fromNs, std::int64_t toNs)
{
    return double(toNs - fromNs) / 1e6;
}

// One line of the table: a measurement, its floor and their target.
struct Row
{
    QString what;
    std::vector<double> measured;
    QString floorName;
    std::vector<double> floor;
    QString target;
};

// The median of the ratios of each pair, steadier than the ratio of medians
// when the machine's speed drifts during the run.
QString pairRatio(const Row &row)
{
    std::vector<double> ratios;
    for (std::size_t i = 0; i < row.measured.size() && i < row.floor.size(); ++i)
        ratios.push_back(row.measured[i] / row.floor[i]);
    return ratios.empty() ? QString(7, u' ') : u"%1x"_s.arg(spreadOf(ratios).median, 6, 'f', 2);
}

class LatencyBench
{
public:
    std::optional<QString> setUp();
    std::optional<QString> measureClicks(int runs);
    std::optional<QString> measureSettings(int runs);
    std::optional<QString> measureSecondStarts(int runs);
    void print(int runs) const;
    ~LatencyBench();

private:
    std::vector<QByteArray> environment() const;
    std::optional<std::int64_t> waitForEntry();
    std::optional<double> clickOnce();
    std::optional<double> spawnProbeOnce();

    TestDisplay m_display;
    QTemporaryDir m_dir;
    QProcessEnvironment m_environment;
    QProcess m_menu;
    xcb_window_t m_window = XCB_NONE;
    QString m_entryLog;
    qint64 m_entryLogRead = 0;
    QString m_probe;
    std::vector<Row> m_rows;
};

LatencyBench::~LatencyBench()
{
    if (m_menu.state() != QProcess::NotRunning) {
        m_menu.terminate();
        if (!m_menu.waitForFinished(3000))
            m_menu.kill();
        m_menu.waitForFinished();
    }
}

std::optional<QString> LatencyBench::setUp()
{
    if (auto why = m_display.start())
        return why;
    m_probe = QStringLiteral(MENUGERAL_BENCH_DIR) + u"/menugeral-bench-entry-probe"_s;
    const QString built = qEnvironmentVariable("MENUGERAL_BENCH_MENU", QStringLiteral(MENUGERAL_BIN_DIR "/menugeral"));
    const QString menu = m_dir.filePath(u"menugeral"_s);
    if (!QFile::copy(built, menu))
        return u"cannot copy the menu from "_s + built;
    QFile config(m_dir.filePath(u"configuracoes.ini"_s));
    if (!config.open(QIODevice::WriteOnly) ||
        config.write("[GestaoEmpresarial]\r\nModulo Gerencial=" + QFile::encodeName(m_probe) + "\r\n") < 0)
        return u"cannot write configuracoes.ini"_s;
    config.close();
    QDir(m_dir.path()).mkdir(u"home"_s);
    QDir(m_dir.path()).mkdir(u"runtime"_s);
    QFile::setPermissions(m_dir.filePath(u"runtime"_s), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    m_entryLog = m_dir.filePath(u"entry.log"_s);

    m_environment = QProcessEnvironment::systemEnvironment();
    for (const QString &name : {u"QT_QPA_PLATFORM"_s, u"WAYLAND_DISPLAY"_s, u"XAUTHORITY"_s})
        m_environment.remove(name);
    m_environment.insert(u"DISPLAY"_s, m_display.name());
    m_environment.insert(u"HOME"_s, m_dir.filePath(u"home"_s));
    m_environment.insert(u"XDG_RUNTIME_DIR"_s, m_dir.filePath(u"runtime"_s));
    m_environment.insert(u"MENUGERAL_ENTRY_LOG"_s, m_entryLog);

    m_menu.setProcessEnvironment(m_environment);
    m_menu.setStandardOutputFile(QProcess::nullDevice());
    m_menu.start(menu, {});
    const auto mapped = m_display.waitForMap(kTimeoutMs);
    if (!mapped)
        return u"the menu's window never came"_s;
    m_window = mapped->window;
    QThread::msleep(500); // its first paint and whatever follows it
    m_display.discardEvents();
    return std::nullopt;
}

std::vector<QByteArray> LatencyBench::environment() const
{
    std::vector<QByteArray> entries;
    for (const QString &entry : m_environment.toStringList())
        entries.push_back(entry.toLocal8Bit());
    return entries;
}

// The time the probe read at its first instruction, once its line is written.
std::optional<std::int64_t> LatencyBench::waitForEntry()
{
    QFile log(m_entryLog);
    for (int i = 0; i < kTimeoutMs * 10; ++i) {
        if (log.open(QIODevice::ReadOnly)) {
            log.seek(m_entryLogRead);
            const QByteArray line = log.readLine();
            log.close();
            if (line.endsWith('\n')) {
                m_entryLogRead += line.size();
                return line.trimmed().toLongLong();
            }
        }
        QThread::usleep(100);
    }
    return std::nullopt;
}

std::optional<double> LatencyBench::clickOnce()
{
    // The pointer comes just before the click, so no balloon hint has shown.
    m_display.movePointer(m_window, kGerencialTileCentre);
    const std::int64_t clicked = monotonicNs();
    m_display.click();
    const auto entered = waitForEntry();
    m_display.movePointer(m_window, kQuietSpot);
    if (!entered)
        return std::nullopt;
    return millisecondsBetween(clicked, *entered);
}

std::optional<double> LatencyBench::spawnProbeOnce()
{
    const std::int64_t started = monotonicNs();
    Spawned probe(m_probe, {}, environment());
    const auto entered = probe.started() ? waitForEntry() : std::nullopt;
    probe.wait();
    if (!entered)
        return std::nullopt;
    return millisecondsBetween(started, *entered);
}

std::optional<QString> LatencyBench::measureClicks(int runs)
{
    Row row{u"Tile click -> module's first instruction"_s, {}, u"posix_spawn"_s, {}, u"< 10 ms, <= 2x floor"_s};
    for (int run = 0; run < runs; ++run) {
        std::optional<double> click;
        std::optional<double> spawn;
        if (run % 2 == 0) {
            click = clickOnce();
            spawn = spawnProbeOnce();
        } else {
            spawn = spawnProbeOnce();
            click = clickOnce();
        }
        if (!click || !spawn)
            return click ? u"the probe started from here never ran"_s : u"the click started nothing"_s;
        row.measured.push_back(*click);
        row.floor.push_back(*spawn);
        QThread::msleep(20);
    }
    m_rows.push_back(std::move(row));
    return std::nullopt;
}

std::optional<QString> LatencyBench::measureSettings(int runs)
{
    Row f12{u"F12 -> password dialog mapped"_s, {}, {}, {}, u"< 50 ms"_s};
    Row enter{u"Password Enter -> settings window mapped"_s, {}, {}, {}, u"< 50 ms"_s};
    for (int run = 0; run < runs; ++run) {
        m_display.focus(m_window);
        QThread::msleep(30);
        m_display.discardEvents();
        const std::int64_t pressed = monotonicNs();
        m_display.key(kF12);
        const auto dialog = m_display.waitForMap(kTimeoutMs);
        if (!dialog)
            return u"F12 showed no password dialog"_s;
        f12.measured.push_back(millisecondsBetween(pressed, dialog->arrivedNs));

        m_display.focus(dialog->window);
        QThread::msleep(30);
        m_display.type("tbx7341");
        QThread::msleep(30);
        m_display.discardEvents();
        const std::int64_t entered = monotonicNs();
        m_display.key(kReturn);
        const auto settings = m_display.waitForMap(kTimeoutMs);
        if (!settings)
            return u"the password opened no settings window"_s;
        enter.measured.push_back(millisecondsBetween(entered, settings->arrivedNs));

        m_display.focus(settings->window);
        QThread::msleep(30);
        m_display.key(kEscape);
        if (!m_display.waitForUnmap(settings->window, kTimeoutMs))
            return u"Escape did not close the settings window"_s;
        QThread::msleep(50);
    }
    m_rows.push_back(std::move(f12));
    m_rows.push_back(std::move(enter));
    return std::nullopt;
}

std::optional<QString> LatencyBench::measureSecondStarts(int runs)
{
    QLocalServer server;
    if (!server.listen(u"menugeral-bench-"_s + QString::number(QCoreApplication::applicationPid())))
        return u"cannot listen on a local socket: "_s + server.errorString();
    const QString connect = QStringLiteral(MENUGERAL_BENCH_DIR) + u"/menugeral-bench-local-connect"_s;
    const QString menu = m_dir.filePath(u"menugeral"_s);
    // Which window is active is the window manager's to say; another window
    // of the benchmark's own is active before each second start.
    if (auto why = m_display.startWindowManager())
        return why;
    const xcb_window_t other = m_display.createWindow();

    Row row{u"Second start -> running menu active"_s, {}, u"bare Qt local-socket client"_s, {}, u"<= 3x floor"_s};
    const auto secondStart = [&]() -> std::optional<double> {
        m_display.activate(other);
        if (!m_display.waitForActive(other, kTimeoutMs))
            return std::nullopt;
        QThread::msleep(30);
        m_display.discardEvents();
        const std::int64_t started = monotonicNs();
        Spawned second(menu, {}, environment());
        const auto active = m_display.waitForActive(m_window, kTimeoutMs);
        if (second.wait() != 0 || !active)
            return std::nullopt;
        return millisecondsBetween(started, active->arrivedNs);
    };
    const auto bareClient = [&]() -> std::optional<double> {
        const std::int64_t started = monotonicNs();
        Spawned client(connect, {server.fullServerName()}, environment());
        const bool connected = client.wait() == 0;
        const std::int64_t ended = monotonicNs();
        // Take the connection off the listen queue.
        QCoreApplication::processEvents();
        while (QLocalSocket *socket = server.nextPendingConnection())
            delete socket;
        if (!connected)
            return std::nullopt;
        return millisecondsBetween(started, ended);
    };
    for (int run = 0; run < runs; ++run) {
        std::optional<double> second;
        std::optional<double> bare;
        if (run % 2 == 0) {
            second = secondStart();
            bare = bareClient();
        } else {
            bare = bareClient();
            second = secondStart();
        }
        if (!second || !bare)
            return second ? u"the bare client did not connect"_s : u"the second start did not activate the menu"_s;
        row.measured.push_back(*second);
        row.floor.push_back(*bare);
    }
    m_rows.push_back(std::move(row));
    return std::nullopt;
}

void LatencyBench::print(int runs) const
{
    std::printf("Latency in ms, %d runs each, on Xvfb (openbox for the second start only)\n", runs);
    std::printf("%-42s%8s%8s%8s   %-28s%8s%8s%8s%8s   %s\n", "", "median", "min", "max", "floor", "median", "min",
                "max", "ratio", "target");
    for (const Row &row : m_rows) {
        std::printf("%-42s%s   %-28s%s%s   %s\n", qPrintable(row.what), qPrintable(spreadColumns(row.measured)),
                    qPrintable(row.floorName), qPrintable(spreadColumns(row.floor)),
                    qPrintable(row.floor.empty() ? QString(8, u' ') : u' ' + pairRatio(row)), qPrintable(row.target));
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 21;
    LatencyBench bench;
    for (const auto &step : std::initializer_list<std::function<std::optional<QString>()>>{
             [&] { return bench.setUp(); }, [&] { return bench.measureClicks(runs); },
             [&] { return bench.measureSettings(runs); },
             [&] {
                 return bench.measureSecondStarts(runs);
             }}) {
        if (const auto why = step()) {
            std::fprintf(stderr, "menugeral-bench-latency: %s\n", qPrintable(*why));
            return 1;
        }
    }
    bench.print(runs);
    return 0;
}
