#include "menu/ArtworkPreload.h"

#include "menu/MenuArtwork.h"

#include <system_error>

namespace menugeral {

ArtworkPreload::ArtworkPreload(QStringList names, qreal devicePixelRatio)
    : m_names(std::move(names)), m_devicePixelRatio(devicePixelRatio), m_pictures(std::size_t(m_names.size()))
{
    try {
        m_thread = std::thread([this] { decodeUnclaimed(); });
    } catch (const std::system_error &) {
        // No thread to be had: the first take() decodes the set.
    }
}

ArtworkPreload::~ArtworkPreload()
{
    finishDecoding();
}

void ArtworkPreload::decodeUnclaimed()
{
    for (qsizetype i = m_nextUnclaimed++; i < m_names.size(); i = m_nextUnclaimed++)
        m_pictures[std::size_t(i)] = loadArtwork(m_names[i], m_devicePixelRatio);
}

void ArtworkPreload::finishDecoding()
{
    // Without a thread this decodes the whole set on the first take().
    decodeUnclaimed();
    if (m_thread.joinable())
        m_thread.join();
}

QImage ArtworkPreload::take(const QString &name, qreal devicePixelRatio)
{
    const qsizetype index = m_names.indexOf(name);
    if (index >= 0 && devicePixelRatio == m_devicePixelRatio) {
        finishDecoding();
        const QImage &picture = m_pictures[std::size_t(index)];
        if (!picture.isNull())
            return picture;
    }
    ++m_misses;
    return loadArtwork(name, devicePixelRatio);
}

} // namespace menugeral
