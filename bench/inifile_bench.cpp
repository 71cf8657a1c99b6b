// Load and save times of configuracoes.ini against the file's size.
//
//   build/bench/menugeral-bench-inifile [repetitions]
//
// Each size is a real file in a temporary directory: the twenty entries of a
// real configuration plus foreign sections that a save must carry over.
#include "catalogue/IniFile.h"
#include "catalogue/ModuleCatalogue.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
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

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 50;
    QTemporaryDir dir;
    const QString fileName = dir.filePath(u"configuracoes.ini"_s);

    std::printf("%10s %14s %14s   (median of %d, microseconds)\n", "bytes", "load+read 19", "write 20+save",
                repetitions);
    for (const qsizetype size : {qsizetype(1) << 10, qsizetype(16) << 10, qsizetype(256) << 10, qsizetype(4) << 20}) {
        const QByteArray content = configOfSize(size);
        std::vector<double> loads;
        std::vector<double> saves;
        for (int r = 0; r < repetitions; ++r) {
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
        }
        std::printf("%10lld %14.1f %14.1f\n", static_cast<long long>(content.size()), median(loads), median(saves));
    }
    return 0;
}
