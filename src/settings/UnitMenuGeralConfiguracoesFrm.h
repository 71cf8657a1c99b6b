#pragma once

#include "core/ConfiguredPaths.h"
#include "core/ModuleCatalogue.h"
#include "platform/PlatformServices.h"
#include "settings/HostedDialog.h"

#include <QString>

#include <array>
#include <optional>

class QLineEdit;
class QPushButton;

namespace menugeral {

class IniFile;
class SettingsHost;

// The settings window: one edit field per module with a browse button beside
// it. "&Salvar" writes every path to configuracoes.ini and closes; every close
// makes the main window reload its paths and closes the password dialog.
class TfrmConfiguracoes : public HostedDialog
{
    Q_OBJECT

public:
    // passwordDialog is the hidden dialog that opened this window; it is closed
    // together with this one.
    TfrmConfiguracoes(const PlatformServices &services, SettingsHost &host, QDialog &passwordDialog,
                      QWidget *parent = nullptr);
    ~TfrmConfiguracoes() override;

    // The full name of configuracoes.ini, worked out once when the window was created.
    const QString &configFileName() const;

public Q_SLOTS:
    void BitBtn1Click() { browseFor(ModuleRow::Gerencial); }
    void BitBtn2Click() { browseFor(ModuleRow::VendServ); }
    void BitBtn3Click() { browseFor(ModuleRow::Caixa); }
    void BitBtn4Click() { browseFor(ModuleRow::Pdv); }
    void BitBtn5Click() { browseFor(ModuleRow::Cooper); }
    void BitBtn6Click() { browseFor(ModuleRow::Ondaro); }
    void BitBtn7Click() { browseFor(ModuleRow::Industrial); }
    void BitBtn8Click() { browseFor(ModuleRow::Relac); }
    void BitBtn9Click() { browseFor(ModuleRow::Contabil); }
    void BitBtn10Click() { browseFor(ModuleRow::EscFiscal); }
    void BitBtn11Click() { browseFor(ModuleRow::FolhaPgto); }
    void BitBtn12Click() { browseFor(ModuleRow::Lucro); }
    void BitBtn13Click() { browseFor(ModuleRow::Controller); }
    void BitBtn14Click() { browseFor(ModuleRow::Cia); }
    void BitBtn15Click() { browseFor(ModuleRow::Light); }
    void BitBtn16Click() { browseFor(ModuleRow::Free); }
    void BitBtn17Click() { browseFor(ModuleRow::Finance); }
    void BitBtn18Click() { browseFor(ModuleRow::HelpDesk); }
    void BitBtn19Click() { browseFor(ModuleRow::Conferencia); }

    void bitSalvarClick();
    void bitCancelarClick();

    // Every way of closing (save, cancel, Escape, the close box) ends here.
    void done(int result) override;

private:
    void buildWidgets();
    void FormCreate();
    void FormClose();
    void browseFor(std::size_t module);
    // The text differs from the path the window showed when it opened.
    bool isEdited(std::size_t module) const;
    // The catalogue row of the first field, from the top of the window, whose
    // text the file cannot hold or, edited, would not give back as it is.
    std::optional<std::size_t> firstUnstorablePath(const IniFile &ini, const ConfiguredPaths &paths) const;

    const PlatformServices &m_services;
    QDialog &m_passwordDialog;
    QString m_configFileName;
    QString m_lastChosenFile;

    std::array<QLineEdit *, ModuleCatalogue::size> m_edits{}; // by catalogue index
    ConfiguredPaths m_shownPaths;                             // as read when the window opened
    QPushButton *m_bitSalvar = nullptr;
    QPushButton *m_bitCancelar = nullptr;
};

} // namespace menugeral
