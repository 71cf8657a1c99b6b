#pragma once

#include <QString>
#include <QStringView>

namespace menugeral {

// How a configured module path is read: the Windows syntax ("C:\dir\prog.exe /switches",
// switches from the first "/") or the POSIX syntax used on Linux ("/dir/prog args").
enum class PathSyntax
{
    Windows,
    Posix,
};

// The syntax of the system the program runs on.
PathSyntax nativePathSyntax();

// What a module path asks to start.
struct LaunchRequest
{
    QString fileName;   // the program's own name, without its directory
    QString parameters; // the switches or arguments, as one text; empty when there are none
    QString directory;  // where the program lies; it is started there
    QString program{};  // its full name as the check found it (absolute in the POSIX syntax); empty when none

    friend bool operator==(const LaunchRequest &, const LaunchRequest &) = default;
};

// What a module path asks to run as a command line: the program that
// validation found (as typed, or made absolute where it was relative in the
// POSIX syntax) and the rest of the text as its arguments, leading blanks left
// out. The program may hold blanks: the text is never split again.
struct CommandLineRequest
{
    QString program;
    QString arguments;

    friend bool operator==(const CommandLineRequest &, const CommandLineRequest &) = default;
};

// Whether a configured path can be started and, when not, why: what a
// technician checking many desks needs beyond ValidarCaminho's yes or no.
enum class PathState
{
    Startable,     // ValidarCaminho accepts it
    Empty,         // nothing configured
    Invalid,       // names no program: blanks only, a directory, no ".exe" in Windows syntax
    NotFound,      // the program it names does not exist
    NotExecutable, // a regular file without execute permission (and no ".exe")
};

// A module path read once: whether it can be started, and what each kind of
// start needs. The command line runs the program the check found, with the
// rest of the text as its arguments.
struct ParsedPath
{
    PathState state = PathState::Empty;
    LaunchRequest launch;
    CommandLineRequest commandLine;
};

ParsedPath parsePath(const QString &path, PathSyntax syntax);

// True when the path names an existing program file (not a directory).
bool ValidarCaminho(const QString &path, PathSyntax syntax);

// Splits a module path into file name, parameters and directory.
LaunchRequest ExtrairDadosCaminho(const QString &path, PathSyntax syntax);

// The not-yet-opened gate: every module may be started again, so it always answers true.
bool NaoFoiAberto(QStringView launchKey);

} // namespace menugeral
