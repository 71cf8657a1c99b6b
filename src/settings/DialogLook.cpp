#include "settings/DialogLook.h"

#include "widgets/GlyphButton.h"

#include <QDialog>
#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QPalette>

namespace menugeral {
using namespace Qt::StringLiterals;

void applyDialogLook(QDialog &dialog, const QString &caption, QSize clientSize)
{
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint);
    dialog.setWindowTitle(caption);
    dialog.setFixedSize(clientSize);
    dialog.setSizeGripEnabled(false);

    QPalette palette = dialog.palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Button));
    dialog.setPalette(palette);
    dialog.setAutoFillBackground(true);

    QFont font(u"MS Sans Serif"_s);
    font.setPixelSize(11);
    dialog.setFont(font);
}

void fitLabelToText(QLabel &label)
{
    label.resize(QFontMetrics(label.font()).horizontalAdvance(label.text()), label.height());
}

QLabel *addSizedLabel(QWidget &parent, const QString &name, const QString &text, QPoint topLeft, int height)
{
    auto *label = new QLabel(text, &parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(topLeft.x(), topLeft.y(), 0, height);
    fitLabelToText(*label);
    return label;
}

QPushButton *addGlyphButton(QWidget &parent, const QString &name, const QString &caption, const QImage &glyph)
{
    auto *button = new GlyphButton(caption, glyph, &parent);
    button->setObjectName(name);
    // In a dialog a focused push button takes Enter instead of the default button.
    button->setAutoDefault(true);
    return button;
}

} // namespace menugeral
