#include "ProgramCopy.h"

#include <QFile>
#include <QFileInfo>

namespace menugeral::bench {

QString copyProgram(const QString &program, const QString &folder)
{
    const QFileInfo info(program);
    const QString copy = folder + u'/' + info.fileName();
    if (!QFile::copy(program, copy))
        return {};
    const QString module = info.path() + u'/' + QStringLiteral(MENUGERAL_WINDOW_MODULE);
    if (QFile::exists(module) && !QFile::copy(module, folder + u'/' + QStringLiteral(MENUGERAL_WINDOW_MODULE)))
        return {};
    return copy;
}

} // namespace menugeral::bench
