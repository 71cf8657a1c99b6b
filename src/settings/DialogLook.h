#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>

class QDialog;
class QLabel;
class QPushButton;
class QWidget;

namespace menugeral {

// What both settings windows share: a fixed client size, a caption bar with
// the close box only, the button-face background and "MS Sans Serif" 11 px.
void applyDialogLook(QDialog &dialog, const QString &caption, QSize clientSize);

// A label at `topLeft`, as wide as its text in its font and `height` high.
QLabel *addSizedLabel(QWidget &parent, const QString &name, const QString &text, QPoint topLeft, int height);

// Fits a label, whose font has been set, to its text again.
void fitLabelToText(QLabel &label);

// A push button with a glyph that takes Enter while it has the focus, and whose
// caption's underlined letter pressed with Alt clicks it.
QPushButton *addGlyphButton(QWidget &parent, const QString &name, const QString &caption, const QImage &glyph);

} // namespace menugeral
