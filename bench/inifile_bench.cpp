// Load and save times of configuracoes.ini against the file's size, from
// 1 KiB to 7 MiB (a larger file is refused unread), and the time of a whole `menugeral --check` run on it.
//
//   build/bench/menugeral-bench-inifile [repetitions]
//
// Each size is a real file in a temporary directory: the twenty entries of a
// real configuration plus foreign sections that a save must carry over. The
// larger files are measured fewer times (never under three), so the whole run
// stays short; "per MiB" shows whether the cost grows linearly.
// MENUGERAL_BENCH_MENU names another build of the menu for `--check`.
#include "core/IniFile.h"
#include "core/ModuleCatalogue.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace menugeral;
using namespace Qt::StringLiterals;

namespace {

QByteArray configOfSize(qsizetype targetBytes)
{
    QByteArray bytes;
    QStringView section;
    for (const ModuleEntry &module : ModuleCatalogue::entries()) {
        if (module.section != section) {
            section = module.section;
            bytes += "[" + section.toLatin1() + "]\r\n";
        }
        bytes += module.key.toLatin1() + "=/opt/modulos/" + module.launchKey.toLatin1() + "/programa --base=1\r\n";
    }
    for (int i = 0; bytes.size() < targetBytes; ++i) {
        bytes += "[Estranha" + QByteArray::number(i) + "]\r\n";
        for (int k = 0; k < 20; ++k)
            bytes += "Chave " + QByteArray::number(k) + "=valor qualquer " + QByteArray::number(i * k) + "\r\n";
    }
    return bytes;
}

double median(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

// The time of one `menugeral --check` run, in milliseconds, from start to end.
double checkRunMs(const QString &program)
{
    QProcess check;
    check.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    check.start(program, {u"--check"_s});
    check.waitForFinished(120000);
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 50;
    QTemporaryDir dir;
    const QString fileName = dir.filePath(u"configuracoes.ini"_s);
    // The program reads the file beside itself.
    const QString program = dir.filePath(u"menugeral"_s);
    const bool checkable = QFile::copy(
        qEnvironmentVariable("MENUGERAL_BENCH_MENU", QStringLiteral(MENUGERAL_BIN_DIR "/menugeral")), program);

    std::printf("%10s %6s %14s %12s %14s %12s   (median; microseconds, --check in ms)\n", "bytes", "runs",
                "load+read 19", "per MiB", "write 20+save", "--check");
    constexpr qsizetype kMiB = qsizetype(1) << 20;
    for (const qsizetype size :
         {qsizetype(1) << 10, qsizetype(16) << 10, qsizetype(256) << 10, kMiB, 4 * kMiB, 7 * kMiB}) {
        const QByteArray content = configOfSize(size);
        const int runs = int(std::clamp<qsizetype>(repetitions * kMiB / std::max(size, kMiB), 3, repetitions));
        std::vector<double> loads;
        std::vector<double> saves;
        std::vector<double> checks;
        for (int r = 0; r < runs; ++r) {
            QFile file(fileName);
            if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size())
                return 1;
            file.close();

            QElapsedTimer timer;
            timer.start();
            {
                const IniFile ini(fileName);
                for (const ModuleEntry &module : ModuleCatalogue::entries())
                    (void)ini.read(module.section, module.key, QString());
            }
            loads.push_back(double(timer.nsecsElapsed()) / 1000.0);

            timer.restart();
            IniFile ini(fileName);
            for (const ModuleEntry &module : ModuleCatalogue::entries())
                ini.write(module.section, module.key, u"/opt/novo/"_s + module.launchKey);
            ini.write(kOtherOptionsSection, kImportNewsKey, QString());
            if (!ini.save()) {
                std::fprintf(stderr, "%s\n", qPrintable(ini.errorString()));
                return 1;
            }
            saves.push_back(double(timer.nsecsElapsed()) / 1000.0);
            if (checkable)
                checks.push_back(checkRunMs(program));
        }
        const double load = median(loads);
        std::printf("%10lld %6d %14.1f %12.1f %14.1f %12.2f\n", static_cast<long long>(content.size()), runs, load,
                    load * double(kMiB) / double(content.size()), median(saves), checks.empty() ? 0.0 : median(checks));
    }
    return 0;
}
