#pragma once

#include <QDialog>
#include <QMargins>

class QPushButton;
class QTimer;

namespace menugeral {

class SettingsHost;

// What both settings windows share: a timer that keeps them inside the main
// window, a first position that centres the frame on the screen that shows it
// (again once the window manager has added the frame), and Escape
// pressing their cancel button wherever the focus is, so its handler runs.
class HostedDialog : public QDialog
{
    Q_OBJECT

public:
    // The keep-inside rule, run by the timer "tmrMovForm".
    void tmrMovFormTimer();

protected:
    HostedDialog(SettingsHost &host, int keepInsideTopMargin, int keepInsideIntervalMs, QWidget *parent);

    SettingsHost &host() const;
    void setCancelButton(QPushButton *button);

    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    SettingsHost &m_host;
    const int m_keepInsideTopMargin;
    QTimer *m_tmrMovForm;
    QPushButton *m_cancelButton = nullptr;
    bool m_centred = false;
    QMargins m_marginsWhenCentred;
};

} // namespace menugeral
