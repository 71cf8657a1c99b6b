#pragma once

#include "platform/PlatformServices.h"
#include "settings/HostedDialog.h"

class QLineEdit;
class QPushButton;

namespace menugeral {

class SettingsHost;

// Asks for the settings password. The right one hides this dialog and runs the
// settings window in its place; closing that window closes this dialog too.
class TfrmConfiguracoesSenha : public HostedDialog
{
    Q_OBJECT

public:
    TfrmConfiguracoesSenha(const PlatformServices &services, SettingsHost &host, QWidget *parent = nullptr);
    ~TfrmConfiguracoesSenha() override;

public Q_SLOTS:
    void BitBtn1Click();
    void bitCancelarClick();

private:
    void buildWidgets();

    const PlatformServices &m_services;

    QLineEdit *m_edtSenha = nullptr;
    QPushButton *m_bitOk = nullptr;
    QPushButton *m_bitCancelar = nullptr;
};

} // namespace menugeral
