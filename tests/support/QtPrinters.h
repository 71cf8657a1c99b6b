#pragma once

#include <QByteArray>
#if __has_include(<QColor>) // unit tests link QtCore alone
#include <QColor>
#endif
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <ostream>

// Readable GoogleTest failure messages for Qt's text types (found by ADL).
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList &texts, std::ostream *out)
{
    *out << '{';
    for (qsizetype i = 0; i < texts.size(); ++i)
        *out << (i ? ", \"" : "\"") << texts[i].toStdString() << '"';
    *out << '}';
}

inline void PrintTo(const QByteArray &bytes, std::ostream *out)
{
    *out << "bytes \"" << bytes.toPercentEncoding(" =[]/\\.:-_").toStdString() << '"';
}

inline void PrintTo(const QPoint &point, std::ostream *out)
{
    *out << '(' << point.x() << ", " << point.y() << ')';
}

inline void PrintTo(const QSize &size, std::ostream *out)
{
    *out << size.width() << " x " << size.height();
}

inline void PrintTo(const QRect &rect, std::ostream *out)
{
    *out << '(' << rect.x() << ", " << rect.y() << ", " << rect.width() << ", " << rect.height() << ')';
}

#if __has_include(<QColor>)
inline void PrintTo(const QColor &colour, std::ostream *out)
{
    *out << colour.name(QColor::HexArgb).toStdString();
}
#endif
