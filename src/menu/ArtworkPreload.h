#pragma once

#include <QImage>
#include <QStringList>

#include <atomic>
#include <thread>
#include <vector>

namespace menugeral {

// Decodes a set of pictures on a thread of its own, so that the decoding
// overlaps whatever the caller does meanwhile (making the window's widgets);
// take() hands them over. A caller that asks before the thread is through
// decodes the pictures not yet begun itself rather than wait idle. Make it
// only once the application object exists: while that is being made, Qt's
// library paths may not be touched from a second thread.
class ArtworkPreload
{
public:
    ArtworkPreload(QStringList names, qreal devicePixelRatio);
    ~ArtworkPreload();
    ArtworkPreload(const ArtworkPreload &) = delete;
    ArtworkPreload &operator=(const ArtworkPreload &) = delete;

    // The picture loadArtwork(name, devicePixelRatio) gives: the decoded one
    // when it is in the set at that ratio (finishing the set first if the
    // thread is still busy), otherwise decoded on the spot.
    QImage take(const QString &name, qreal devicePixelRatio);

    // How many take() calls asked for a picture outside the set (another
    // name or ratio) or one that failed to decode, and so decoded it anew.
    int misses() const { return m_misses; }

private:
    // Decodes pictures of the set not yet claimed by either thread.
    void decodeUnclaimed();
    void finishDecoding();

    const QStringList m_names;
    const qreal m_devicePixelRatio;
    std::vector<QImage> m_pictures; // by index of m_names, each written by whichever thread claimed it
    std::atomic<qsizetype> m_nextUnclaimed{0};
    std::thread m_thread;
    int m_misses = 0;
};

} // namespace menugeral
