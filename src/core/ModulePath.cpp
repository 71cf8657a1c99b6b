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

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QStringView withoutLeadingBlanks(QStringView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    return text;
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

ParsedPath parseWindowsPath(QStringView path)
{
    const WindowsParts parts = splitAtFirstSlash(path);
    const QStringList items = splitDelimitedList(parts.pathPart, u'\\');
    const qsizetype exe = indexOfExe(path);
    // The program is the text as typed up to the first ".exe", in any letter
    // case: Windows ignores case by itself, a case-sensitive file system must
    // not be handed a spelling the user never wrote.
    const QStringView program = path.first(exe < 0 ? path.size() : exe + kExe.size());

    ParsedPath parsed;
    LaunchRequest &launch = parsed.launch;
    launch.parameters = parts.parameters.toString();
    if (!items.isEmpty())
        launch.fileName = items.last();
    // The directory is what precedes the first occurrence of the file name,
    // less the separator before it; a name found nowhere leaves it empty.
    const qsizetype at = launch.fileName.isEmpty() ? -1 : parts.pathPart.indexOf(launch.fileName);
    if (at >= 2)
        launch.directory = parts.pathPart.first(at - 1).toString();
    launch.program = program.toString();
    parsed.commandLine = {launch.program, withoutLeadingBlanks(path.sliced(program.size())).toString()};

    // A path part without any item (the text starts with "/") names no program
    // at all: it is reported as invalid rather than ignored in silence.
    if (path.isEmpty())
        parsed.state = PathState::Empty;
    else if (items.isEmpty() || exe < 0)
        parsed.state = PathState::Invalid;
    else if (const QFileInfo info = fileInfoOf(program); !info.exists())
        parsed.state = PathState::NotFound;
    else
        parsed.state = info.isDir() ? PathState::Invalid : PathState::Startable;
    return parsed;
}

// ---- POSIX syntax: "/dir/prog args" ----

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

// The program part of a POSIX module path, and whether it is a program.
struct ProgramPart
{
    qsizetype length = 0;
    bool isProgram = false;
};

ProgramPart programPart(QStringView text)
{
    // An existing file up to the first ".exe" is taken as a Windows path would be.
    const qsizetype exe = indexOfExe(text);
    if (exe >= 0 && isRegularFile(text.first(exe + kExe.size())))
        return {exe + kExe.size(), true};

    // Blanks may stand inside directory names, so every prefix ending at a
    // blank is tried, shortest first. This also finds a program whose path
    // merely contains ".exe" inside a name (an "apps.executables" directory).
    for (qsizetype end = 1; end <= text.size(); ++end) {
        if ((end == text.size() || isBlank(text[end])) && isProgram(text.first(end)))
            return {end, true};
    }

    // Nothing runnable: keep the first word (or the ".exe" cut) so that the
    // request still says what was asked for.
    if (exe >= 0)
        return {exe + kExe.size(), false};
    qsizetype end = 0;
    while (end < text.size() && !isBlank(text[end]))
        ++end;
    return {end, false};
}

PathState posixFailure(const QString &text, QStringView program)
{
    // No prefix is a program, so a regular file among them lacks its execute permission.
    for (qsizetype end = 1; end <= text.size(); ++end) {
        if ((end == text.size() || isBlank(text[end])) && isRegularFile(QStringView(text).first(end)))
            return PathState::NotExecutable;
    }
    if (program.isEmpty() || program.endsWith(u'/') || fileInfoOf(program).exists())
        return PathState::Invalid;
    return PathState::NotFound;
}

ParsedPath parsePosixPath(const QString &path)
{
    const QString text = expandHome(path);
    const ProgramPart part = programPart(text);
    const QStringView program = QStringView(text).first(part.length);

    ParsedPath parsed;
    LaunchRequest &launch = parsed.launch;
    launch.parameters = withoutLeadingBlanks(QStringView(text).sliced(part.length)).toString();
    if (!program.isEmpty()) {
        const qsizetype slash = program.lastIndexOf(u'/');
        launch.fileName = program.sliced(slash + 1).toString();
        const QStringView typedDirectory = slash < 0 ? QStringView() : program.first(slash);
        if (program.startsWith(u'/')) {
            launch.directory = typedDirectory.isEmpty() ? u"/"_s : typedDirectory.toString();
        } else {
            // A relative name is found in the current directory, as the check
            // found it; the starter gets absolute names so that it neither
            // searches the PATH nor depends on where it is called from.
            launch.directory = QDir::cleanPath(QDir::currentPath() + u'/' + typedDirectory);
        }
    }
    // A path ending in "/" names no file, so no program either.
    if (!launch.fileName.isEmpty())
        launch.program = launch.directory + (launch.directory.endsWith(u'/') ? u""_s : u"/"_s) + launch.fileName;
    parsed.commandLine = {launch.program, launch.parameters};

    if (path.isEmpty())
        parsed.state = PathState::Empty;
    else
        parsed.state = part.isProgram ? PathState::Startable : posixFailure(text, program);
    return parsed;
}

} // namespace

ParsedPath parsePath(const QString &path, PathSyntax syntax)
{
    return syntax == PathSyntax::Windows ? parseWindowsPath(path) : parsePosixPath(path);
}

bool ValidarCaminho(const QString &path, PathSyntax syntax)
{
    return parsePath(path, syntax).state == PathState::Startable;
}

LaunchRequest ExtrairDadosCaminho(const QString &path, PathSyntax syntax)
{
    return parsePath(path, syntax).launch;
}

bool NaoFoiAberto(QStringView)
{
    // Every module may run more than once; the gate never holds a launch back.
    return true;
}

} // namespace menugeral
