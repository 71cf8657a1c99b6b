#include "FileAccessLog.h"
#include "FuzzChecks.h"
#include "FuzzInput.h"
#include "core/ModulePath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <optional>

namespace menugeral::fuzz {
using namespace Qt::StringLiterals;
namespace {

// A working directory and a home directory holding a few programs and
// non-programs for paths to name: "prog", "dir with blanks/app", "sub/tool"
// and "~/bin/prog" are executable, "win.exe" and "data" are not, "sub" is a
// directory. Set up once; each check goes into it and comes back.
class Sandbox
{
public:
    Sandbox()
    {
        const QDir root(m_root.path());
        for (const char *directory : {"work/dir with blanks", "work/sub", "home/bin"})
            root.mkpath(QString::fromLatin1(directory));
        for (const char *program : {"work/prog", "work/dir with blanks/app", "work/sub/tool", "home/bin/prog"})
            create(QString::fromLatin1(program), true);
        for (const char *file : {"work/win.exe", "work/data"})
            create(QString::fromLatin1(file), false);
    }

    QString work() const { return m_root.filePath(u"work"_s); }
    QString home() const { return m_root.filePath(u"home"_s); }

private:
    void create(const QString &name, bool executable) const
    {
        QFile file(m_root.filePath(name));
        if (file.open(QIODevice::WriteOnly))
            file.write("#!/bin/sh\n");
        file.setPermissions(executable ? QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                       : QFile::ReadOwner | QFile::WriteOwner);
    }

    QTemporaryDir m_root;
};

// Inside the sandbox for its lifetime: its working and home directory.
class InSandbox
{
public:
    explicit InSandbox(const Sandbox &sandbox)
        : m_previousDirectory(QDir::currentPath()), m_previousHome(qgetenv("HOME"))
    {
        QDir::setCurrent(sandbox.work());
        qputenv("HOME", QFile::encodeName(sandbox.home()));
    }
    ~InSandbox()
    {
        QDir::setCurrent(m_previousDirectory);
        qputenv("HOME", m_previousHome);
    }
    InSandbox(const InSandbox &) = delete;
    InSandbox &operator=(const InSandbox &) = delete;

private:
    QString m_previousDirectory;
    QByteArray m_previousHome;
};

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool endsWithExe(QStringView text)
{
    return text.size() >= 4 && text.last(4).toString().toLatin1().toLower() == ".exe";
}

// A name that the path itself offers as its program: a beginning of it that
// ends where the path ends, before a blank, or after ".exe". Compared as the
// bytes the file system gets: the markers are ASCII, so a beginning of the
// text is a beginning of its bytes.
bool isProgramCandidate(const QByteArray &name, const QByteArray &path)
{
    if (!path.startsWith(name))
        return false;
    const qsizetype end = name.size();
    return end == path.size() || path[end] == ' ' || path[end] == '\t' ||
           (end >= 4 && name.last(4).toLower() == ".exe");
}

// "prog" followed by its parameters, read back from a POSIX request: the
// program part is the directory (as typed, or made absolute) and the file name.
bool isProgramPart(QStringView program, const LaunchRequest &request)
{
    if (program.isEmpty())
        return request.fileName.isEmpty() && request.directory.isEmpty();
    if (request.fileName.contains(u'/') || !program.endsWith(request.fileName))
        return false;
    QStringView typed = program.chopped(request.fileName.size());
    if (!typed.isEmpty()) {
        if (!typed.endsWith(u'/'))
            return false;
        typed.chop(1);
    }
    if (program.startsWith(u'/'))
        return request.directory == (typed.isEmpty() ? u"/"_s : typed.toString());
    return request.directory == QDir::cleanPath(QDir::currentPath() + u'/' + typed);
}

void checkPosixRequest(const QString &path, bool valid, const LaunchRequest &request, QStringList &broken)
{
    if (!path.endsWith(request.parameters)) {
        broken.append(u"the parameters are the end of the path"_s);
        return;
    }
    // Between the program and its parameters there are only blanks.
    QStringView head = QStringView(path).chopped(request.parameters.size());
    bool found = isProgramPart(head, request);
    while (!found && !head.isEmpty() && isBlank(head.back())) {
        head.chop(1);
        found = isProgramPart(head, request);
    }
    if (!found)
        broken.append(u"the directory and the file name are the beginning of the path"_s);

    // What was found valid is what would be started.
    const QFileInfo started(request.directory + u'/' + request.fileName);
    if (valid && !(started.isFile() && (started.isExecutable() || endsWithExe(request.fileName))))
        broken.append(u"a valid path starts the program the validation found"_s);
}

void checkWindowsRequest(const QString &path, const LaunchRequest &request, QStringList &broken)
{
    const qsizetype slash = path.indexOf(u'/');
    if (request.parameters != (slash < 0 ? QString() : path.sliced(slash)))
        broken.append(u"the parameters are the path from its first \"/\" on"_s);
    const QStringView pathPart = QStringView(path).first(slash < 0 ? path.size() : slash);
    if (!pathPart.startsWith(request.directory) ||
        (!request.directory.isEmpty() && !pathPart.sliced(request.directory.size() + 1).startsWith(request.fileName)))
        broken.append(u"the directory is the beginning of the path and the file name follows it"_s);
    if (!pathPart.contains(u'"') && !pathPart.contains(request.fileName))
        broken.append(u"the file name is part of the path"_s);
}

} // namespace

QStringList checkModulePath(QByteArrayView input)
{
    static const Sandbox sandbox;
    if (input.isEmpty())
        return {};
    const auto flags = static_cast<unsigned char>(input.front());
    const PathSyntax syntax = (flags & 1) != 0 ? PathSyntax::Windows : PathSyntax::Posix;
    const QString path = textOf(input.sliced(1), (flags & 2) != 0);

    const InSandbox inside(sandbox);
    bool valid = false;
    LaunchRequest request;
    QList<QByteArray> looked;
    {
        const FileAccessLog log;
        valid = ValidarCaminho(path, syntax);
        request = ExtrairDadosCaminho(path, syntax);
        looked = log.names();
    }

    QStringList broken;
    // "~/" is the home directory's; nothing else is added to the path.
    const QString expanded =
        syntax == PathSyntax::Posix && path.startsWith(u"~/") ? QDir::homePath() + path.sliced(1) : path;
    const QByteArray expandedName = QFile::encodeName(expanded);
    for (const QByteArray &name : looked) {
        if (!isProgramCandidate(name, expandedName)) {
            broken.append(u"only names the path offers are looked at, not "_s + QString::fromLocal8Bit(name));
            break;
        }
    }
    if (syntax == PathSyntax::Posix)
        checkPosixRequest(expanded, valid, request, broken);
    else
        checkWindowsRequest(path, request, broken);
    return broken;
}

} // namespace menugeral::fuzz
