#pragma once

#include "platform/PlatformServices.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QTimer;

namespace menugeral {

class SettingsHost;

// Asks for the settings password. The right one hides this dialog and runs the
// settings window in its place; closing that window closes this dialog too.
class TfrmConfiguracoesSenha : public QDialog
{
    Q_OBJECT

public:
    TfrmConfiguracoesSenha(const PlatformServices &services, SettingsHost &host, QWidget *parent = nullptr);
    ~TfrmConfiguracoesSenha() override;

public Q_SLOTS:
    void BitBtn1Click();
    void bitCancelarClick();
    void tmrMovFormTimer();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildWidgets();

    const PlatformServices &m_services;
    SettingsHost &m_host;
    bool m_centred = false;

    QLineEdit *m_edtSenha = nullptr;
    QPushButton *m_bitOk = nullptr;
    QPushButton *m_bitCancelar = nullptr;
    QTimer *m_tmrMovForm = nullptr;
};

} // namespace menugeral
