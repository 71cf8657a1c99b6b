#include "system/InstanceAddress.h"

#include <QCryptographicHash>
#include <QDir>

namespace menugeral {
using namespace Qt::StringLiterals;

// On Windows the socket is a named pipe and the lock lies in the user's own
// temporary directory; both are named after that directory, so each user of a
// machine gets their own pair.
std::optional<InstanceAddress> instanceAddressFor(const QString &, const QStringList &fallbackParents, const QString &)
{
    const QString fallbackParent = fallbackParents.value(0);
    if (fallbackParent.isEmpty())
        return std::nullopt;
    const QByteArray digest =
        QCryptographicHash::hash(QDir::cleanPath(fallbackParent).toLower().toUtf8(), QCryptographicHash::Sha256);
    const QString name = u"menugeral-"_s + QString::fromLatin1(digest.toHex().left(16));
    return InstanceAddress{name, QDir::cleanPath(fallbackParent) + u'/' + name + u".lock"_s};
}

std::optional<InstanceAddress> currentInstanceAddress()
{
    return instanceAddressFor({}, {QDir::tempPath()}, {});
}

} // namespace menugeral
