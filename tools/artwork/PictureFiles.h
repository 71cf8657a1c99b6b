#pragma once

#include <QByteArray>
#include <QDir>
#include <QImage>
#include <QString>
#include <QStringList>

namespace menugeral::artwork {

// Writes the pictures under the resources directory, byte for byte the same on
// every run: no time stamps, no text chunks, fixed resolution. Pictures of at
// most 256 colours, transparency levels counted (or already indexed), are
// stored with a palette, other opaque ones as 8-bit RGB, the rest as 8-bit RGBA.
class PictureFiles
{
public:
    explicit PictureFiles(const QString &resourcesDirectory);

    void writePng(const QString &relativeName, const QImage &image);
    void writeBytes(const QString &relativeName, const QByteArray &bytes);

    const QStringList &written() const { return m_written; }
    const QStringList &failures() const { return m_failures; }

private:
    bool prepare(const QString &fullName);

    QDir m_root;
    QStringList m_written;
    QStringList m_failures;
};

// The PNG file writePng() writes, without the file; empty, with `error` set,
// when the picture cannot be encoded.
QByteArray pngBytes(const QImage &image, QString *error = nullptr);

// "tiles/bitQorCaixa.png" -> "tiles/bitQorCaixa@2x.png"
QString doubleDensityName(const QString &relativeName);

} // namespace menugeral::artwork
