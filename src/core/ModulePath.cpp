#include "core/ModulePath.h"

#include "core/DelimitedList.h"

#include <QDir>
#include <QFileInfo>

namespace menugeral {

PathSyntax nativePathSyntax()
{
    return QDir::separator() == u'\\' ? PathSyntax::Windows : PathSyntax::Posix;
}

using namespace Qt::StringLiterals;
namespace {

constexpr QStringView kExe = u".exe";

char16_t asciiLower(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? char16_t(c - u'A' + u'a') : c;
}

// Only the letters a to z are folded: no other character may pass for part of ".exe".
bool isExeAt(QStringView text, qsizetype pos)
{
    if (pos < 0 || pos + kExe.size() > text.size())
        return false;
    for (qsizetype i = 0; i < kExe.size(); ++i) {
        if (asciiLower(text[pos + i].unicode()) != kExe[i].unicode())
            return false;
    }
    return true;
}

qsizetype indexOfExe(QStringView text)
{
    for (qsizetype pos = 0; pos + kExe.size() <= text.size(); ++pos) {
        if (isExeAt(text, pos))
            return pos;
    }
    return -1;
}

bool endsWithExe(QStringView text)
{
    return isExeAt(text, text.size() - kExe.size());
}

// No file name holds a NUL; the file system calls would only complain about it.
QFileInfo fileInfoOf(QStringView name)
{
    if (name.isEmpty() || name.contains(QChar(0)))
        return {};
    return QFileInfo(name.toString());
}

// ---- Windows syntax: "C:\dir\prog.exe /switches" ----

struct WindowsParts
{
    QStringView pathPart;   // before the first "/"
    QStringView parameters; // from the first "/" on
};

WindowsParts splitAtFirstSlash(QStringView path)
{
    const qsizetype slash = path.indexOf(u'/');
    if (slash < 0)
        return {path, {}};
    return {path.first(slash), path.sliced(slash)};
}

bool validWindowsPath(QStringView path)
{
    // A path part without any item (the text starts with "/") names no program
    // at all: it is reported as invalid rather than ignored in silence.
    if (splitDelimitedList(splitAtFirstSlash(path).pathPart, u'\\').isEmpty())
        return false;
    const qsizetype exe = indexOfExe(path);
    if (exe < 0)
        return false;
    // The text as typed, cut where the upper-cased copy ends in ".EXE": Windows
    // ignores letter case by itself, a case-sensitive file system must not be
    // handed a spelling the user never wrote.
    const QFileInfo info = fileInfoOf(path.first(exe + kExe.size()));
    return info.exists() && !info.isDir();
}

LaunchRequest windowsRequest(QStringView path)
{
    const WindowsParts parts = splitAtFirstSlash(path);
    const QStringList items = splitDelimitedList(parts.pathPart, u'\\');

    LaunchRequest request;
    request.parameters = parts.parameters.toString();
    if (!items.isEmpty())
        request.fileName = items.last();
    // The directory is what precedes the first occurrence of the file name,
    // less the separator before it; a name found nowhere leaves it empty.
    const qsizetype at = request.fileName.isEmpty() ? -1 : parts.pathPart.indexOf(request.fileName);
    if (at >= 2)
        request.directory = parts.pathPart.first(at - 1).toString();
    return request;
}

// ---- POSIX syntax: "/dir/prog args" ----

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// Only "~/" is read as the home directory; "~user" is left as typed.
QString expandHome(const QString &path)
{
    if (path.startsWith(u"~/"))
        return QDir::homePath() + path.sliced(1);
    return path;
}

bool isRegularFile(QStringView name)
{
    return fileInfoOf(name).isFile();
}

// A program the starter can run: an executable regular file, or a Windows
// program (".exe"), which may be run through a compatibility layer.
bool isProgram(QStringView name)
{
    const QFileInfo info = fileInfoOf(name);
    return info.isFile() && (endsWithExe(name) || info.isExecutable());
}

// Length of the program part of a POSIX module path.
qsizetype programPartLength(QStringView text)
{
    // An existing file up to the first ".exe" is taken as a Windows path would be.
    const qsizetype exe = indexOfExe(text);
    if (exe >= 0 && isRegularFile(text.first(exe + kExe.size())))
        return exe + kExe.size();

    // Blanks may stand inside directory names, so every prefix ending at a
    // blank is tried, shortest first. This also finds a program whose path
    // merely contains ".exe" inside a name (an "apps.executables" directory).
    for (qsizetype end = 1; end <= text.size(); ++end) {
        if ((end == text.size() || isBlank(text[end])) && isProgram(text.first(end)))
            return end;
    }

    // Nothing runnable: keep the first word (or the ".exe" cut) so that the
    // request still says what was asked for.
    if (exe >= 0)
        return exe + kExe.size();
    qsizetype end = 0;
    while (end < text.size() && !isBlank(text[end]))
        ++end;
    return end;
}

LaunchRequest posixRequest(const QString &path)
{
    const QString text = expandHome(path);
    const qsizetype length = programPartLength(text);
    const QStringView program = QStringView(text).first(length);
    QStringView rest = QStringView(text).sliced(length);
    while (!rest.isEmpty() && isBlank(rest.front()))
        rest = rest.sliced(1);

    LaunchRequest request;
    request.parameters = rest.toString();
    if (program.isEmpty())
        return request;
    const qsizetype slash = program.lastIndexOf(u'/');
    request.fileName = program.sliced(slash + 1).toString();
    const QStringView typedDirectory = slash < 0 ? QStringView() : program.first(slash);
    if (program.startsWith(u'/')) {
        request.directory = typedDirectory.isEmpty() ? u"/"_s : typedDirectory.toString();
    } else {
        // A relative name is found in the current directory, as the validation
        // found it; the starter gets the absolute directory so that it neither
        // searches the PATH nor depends on where it is called from.
        request.directory = QDir::cleanPath(QDir::currentPath() + u'/' + typedDirectory);
    }
    return request;
}

bool validPosixPath(const QString &path)
{
    const QString text = expandHome(path);
    const QStringView program = QStringView(text).first(programPartLength(text));
    return isProgram(program);
}

// The cut validWindowsPath makes: up to the first ".exe".
CommandLineRequest windowsCommandLine(QStringView path)
{
    const qsizetype exe = indexOfExe(path);
    const qsizetype end = exe < 0 ? path.size() : exe + kExe.size();
    QStringView rest = path.sliced(end);
    while (!rest.isEmpty() && isBlank(rest.front()))
        rest = rest.sliced(1);
    return {path.first(end).toString(), rest.toString()};
}

PathState windowsPathState(QStringView path)
{
    if (validWindowsPath(path))
        return PathState::Startable;
    const qsizetype exe = indexOfExe(path);
    if (exe < 0 || splitDelimitedList(splitAtFirstSlash(path).pathPart, u'\\').isEmpty())
        return PathState::Invalid;
    // Something exists there, but it is a directory.
    return fileInfoOf(path.first(exe + kExe.size())).exists() ? PathState::Invalid : PathState::NotFound;
}

PathState posixPathState(const QString &path)
{
    if (validPosixPath(path))
        return PathState::Startable;
    const QString text = expandHome(path);
    // No prefix is a program, so a regular file among them lacks its execute permission.
    for (qsizetype end = 1; end <= text.size(); ++end) {
        if ((end == text.size() || isBlank(text[end])) && isRegularFile(QStringView(text).first(end)))
            return PathState::NotExecutable;
    }
    const QStringView program = QStringView(text).first(programPartLength(text));
    if (program.isEmpty() || program.endsWith(u'/') || fileInfoOf(program).exists())
        return PathState::Invalid;
    return PathState::NotFound;
}

} // namespace

PathState pathState(const QString &path, PathSyntax syntax)
{
    if (path.isEmpty())
        return PathState::Empty;
    return syntax == PathSyntax::Windows ? windowsPathState(path) : posixPathState(path);
}

CommandLineRequest commandLineRequest(const QString &path, PathSyntax syntax)
{
    if (syntax == PathSyntax::Windows)
        return windowsCommandLine(path);
    const LaunchRequest request = posixRequest(path);
    if (request.fileName.isEmpty())
        return {{}, request.parameters};
    const QString separator = request.directory.endsWith(u'/') ? QString() : u"/"_s;
    return {request.directory + separator + request.fileName, request.parameters};
}

bool ValidarCaminho(const QString &path, PathSyntax syntax)
{
    return syntax == PathSyntax::Windows ? validWindowsPath(path) : validPosixPath(path);
}

LaunchRequest ExtrairDadosCaminho(const QString &path, PathSyntax syntax)
{
    return syntax == PathSyntax::Windows ? windowsRequest(path) : posixRequest(path);
}

bool NaoFoiAberto(QStringView)
{
    // Every module may run more than once; the gate never holds a launch back.
    return true;
}

} // namespace menugeral
