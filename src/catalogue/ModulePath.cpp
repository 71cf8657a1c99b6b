#include "catalogue/ModulePath.h"

// Placeholder until the path rules land.
namespace menugeral {

PathSyntax nativePathSyntax()
{
#ifdef Q_OS_WIN
    return PathSyntax::Windows;
#else
    return PathSyntax::Posix;
#endif
}

bool ValidarCaminho(const QString &, PathSyntax)
{
    return false;
}

LaunchRequest ExtrairDadosCaminho(const QString &, PathSyntax)
{
    return {};
}

bool NaoFoiAberto(QStringView)
{
    return true;
}

} // namespace menugeral
