#include "settings/HostedDialog.h"

#include "settings/DialogPlacement.h"
#include "settings/SettingsHost.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

namespace menugeral {
using namespace Qt::StringLiterals;

HostedDialog::HostedDialog(SettingsHost &host, int keepInsideTopMargin, int keepInsideIntervalMs, QWidget *parent)
    : QDialog(parent), m_host(host), m_keepInsideTopMargin(keepInsideTopMargin), m_tmrMovForm(new QTimer(this))
{
    // Runs from the window's creation to its destruction, also while it is hidden.
    m_tmrMovForm->setObjectName(u"tmrMovForm"_s);
    m_tmrMovForm->setInterval(keepInsideIntervalMs);
    connect(m_tmrMovForm, &QTimer::timeout, this, &HostedDialog::tmrMovFormTimer);
    m_tmrMovForm->start();
}

SettingsHost &HostedDialog::host() const
{
    return m_host;
}

void HostedDialog::setCancelButton(QPushButton *button)
{
    m_cancelButton = button;
}

void HostedDialog::tmrMovFormTimer()
{
    keepInsideHost(*this, m_host.hostWindow(), m_keepInsideTopMargin);
}

void HostedDialog::keyPressEvent(QKeyEvent *event)
{
    if (m_cancelButton && event->key() == Qt::Key_Escape && !(event->modifiers() & ~Qt::KeypadModifier)) {
        m_cancelButton->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void HostedDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_centred)
        return;
    m_centred = true;
    centreOnScreenOf(*this, m_host.hostWindow());
    // Where the window manager adds its frame only once the window is mapped,
    // the frame is known by the first expose: centre again with it.
    m_marginsWhenCentred = knownFrameMargins(*this);
    if (QWindow *window = windowHandle())
        window->installEventFilter(this);
}

bool HostedDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Expose && watched == windowHandle()) {
        watched->removeEventFilter(this);
        if (knownFrameMargins(*this) != m_marginsWhenCentred)
            centreOnScreenOf(*this, m_host.hostWindow());
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace menugeral
