#include "PictureFiles.h"

#include "Quantise.h"

#include <QBuffer>
#include <QColorSpace>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

namespace menugeral::artwork {

using namespace Qt::StringLiterals;

namespace {

constexpr int dotsPerMetreAt96Dpi = 3780;

QImage prepared(const QImage &image)
{
    // A picture of at most 256 colours (transparency levels counted) is stored
    // with a palette: the same pixels, a quarter of the memory once decoded.
    QImage copy;
    if (image.format() == QImage::Format_Indexed8)
        copy = image;
    else if (const auto indexed = exactlyIndexed(image))
        copy = *indexed;
    else
        copy = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    copy.setDotsPerMeterX(dotsPerMetreAt96Dpi);
    copy.setDotsPerMeterY(dotsPerMetreAt96Dpi);
    copy.setDevicePixelRatio(1.0);
    copy.setColorSpace(QColorSpace());
    for (const QString &key : copy.textKeys())
        copy.setText(key, QString());
    return copy;
}

} // namespace

QByteArray pngBytes(const QImage &image, QString *error)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setQuality(0); // strongest compression: the pictures are decoded at every start
    if (!writer.write(prepared(image))) {
        if (error)
            *error = writer.errorString();
        return {};
    }
    return bytes;
}

PictureFiles::PictureFiles(const QString &resourcesDirectory) : m_root(resourcesDirectory)
{}

void PictureFiles::writePng(const QString &relativeName, const QImage &image)
{
    QString error;
    const QByteArray bytes = pngBytes(image, &error);
    if (bytes.isEmpty()) {
        m_failures << relativeName + u": "_s + error;
        return;
    }
    writeBytes(relativeName, bytes);
}

void PictureFiles::writeBytes(const QString &relativeName, const QByteArray &bytes)
{
    const QString fullName = m_root.filePath(relativeName);
    if (!prepare(fullName)) {
        m_failures << relativeName + u": cannot create its directory"_s;
        return;
    }
    QSaveFile file(fullName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        m_failures << relativeName + u": "_s + file.errorString();
        return;
    }
    m_written << relativeName;
}

bool PictureFiles::prepare(const QString &fullName)
{
    return QDir().mkpath(QFileInfo(fullName).absolutePath());
}

QString doubleDensityName(const QString &relativeName)
{
    const qsizetype dot = relativeName.lastIndexOf(u'.');
    return relativeName.left(dot) + u"@2x"_s + relativeName.mid(dot);
}

} // namespace menugeral::artwork
