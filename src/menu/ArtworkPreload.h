#pragma once

#include <QImage>
#include <QStringList>

#include <thread>
#include <vector>

namespace menugeral {

// Decodes a set of pictures on a thread of its own, so that the decoding
// overlaps whatever the caller does meanwhile (making the window's widgets);
// take() hands them over. Make it only once the application object exists:
// while that is being made, Qt's library paths may not be touched from a
// second thread.
class ArtworkPreload
{
public:
    ArtworkPreload(QStringList names, qreal devicePixelRatio);
    ~ArtworkPreload();
    ArtworkPreload(const ArtworkPreload &) = delete;
    ArtworkPreload &operator=(const ArtworkPreload &) = delete;

    // The picture loadArtwork(name, devicePixelRatio) gives: the decoded one
    // when it is in the set at that ratio (waiting for the thread if it is
    // still busy), otherwise decoded on the spot.
    QImage take(const QString &name, qreal devicePixelRatio);

    // How many take() calls had to decode on the spot.
    int misses() const { return m_misses; }

private:
    void finishDecoding();

    const QStringList m_names;
    const qreal m_devicePixelRatio;
    std::vector<QImage> m_pictures; // by index of m_names, written by the thread
    std::thread m_thread;
    int m_misses = 0;
};

} // namespace menugeral
