#include "FileAccessLog.h"
#include "FuzzChecks.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace menugeral::fuzz {
namespace {
using namespace Qt::StringLiterals;

QByteArray contentOf(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every committed input of every fuzz target, the seeds and the inputs that
// once broke a property, passes its check.
TEST(FuzzRegression, EveryCommittedInputPassesItsCheck)
{
    for (const NamedCheck &target : kChecks) {
        qsizetype seeds = 0;
        for (const char *kind : {"corpus", "regressions"}) {
            const QDir folder(QStringLiteral(MENUGERAL_FUZZ_INPUTS_DIR) + u'/' + QLatin1StringView(kind) + u'/' +
                              QLatin1StringView(target.name));
            for (const QFileInfo &input : folder.entryInfoList(QDir::Files)) {
                SCOPED_TRACE(input.filePath().toStdString());
                const QStringList broken = target.check(contentOf(input.filePath()));
                EXPECT_TRUE(broken.isEmpty()) << "broken: " << broken.join(u"; "_s).toStdString();
                seeds += kind == std::string_view("corpus") ? 1 : 0;
            }
        }
        EXPECT_GT(seeds, 0) << "no seed inputs for " << target.name;
    }
}

// The module-path check proves nothing if the look-ups pass it by.
TEST(FuzzRegression, TheFileAccessLogSeesQtLookUps)
{
    const FileAccessLog log;
    (void)QFileInfo(u"/nao/existe/programa"_s).exists();
    EXPECT_TRUE(log.names().contains("/nao/existe/programa"));
}

} // namespace
} // namespace menugeral::fuzz
