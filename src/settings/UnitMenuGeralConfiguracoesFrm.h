#pragma once

#include "catalogue/ConfiguredPaths.h"
#include "catalogue/ModuleCatalogue.h"
#include "platform/PlatformServices.h"
#include "settings/HostedDialog.h"

#include <QString>

#include <array>

class QLineEdit;
class QPushButton;

namespace menugeral {

class IniFile;
class SettingsHost;
struct SettingsRow;

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
    void BitBtn1Click() { browseFor(u"BitBtn1"); }
    void BitBtn2Click() { browseFor(u"BitBtn2"); }
    void BitBtn3Click() { browseFor(u"BitBtn3"); }
    void BitBtn4Click() { browseFor(u"BitBtn4"); }
    void BitBtn5Click() { browseFor(u"BitBtn5"); }
    void BitBtn6Click() { browseFor(u"BitBtn6"); }
    void BitBtn7Click() { browseFor(u"BitBtn7"); }
    void BitBtn8Click() { browseFor(u"BitBtn8"); }
    void BitBtn9Click() { browseFor(u"BitBtn9"); }
    void BitBtn10Click() { browseFor(u"BitBtn10"); }
    void BitBtn11Click() { browseFor(u"BitBtn11"); }
    void BitBtn12Click() { browseFor(u"BitBtn12"); }
    void BitBtn13Click() { browseFor(u"BitBtn13"); }
    void BitBtn14Click() { browseFor(u"BitBtn14"); }
    void BitBtn15Click() { browseFor(u"BitBtn15"); }
    void BitBtn16Click() { browseFor(u"BitBtn16"); }
    void BitBtn17Click() { browseFor(u"BitBtn17"); }
    void BitBtn18Click() { browseFor(u"BitBtn18"); }
    void BitBtn19Click() { browseFor(u"BitBtn19"); }

    void bitSalvarClick();
    void bitCancelarClick();

    // Every way of closing (save, cancel, Escape, the close box) ends here.
    void done(int result) override;

private:
    void buildWidgets();
    void FormCreate();
    void FormClose();
    void browseFor(QStringView buttonName);
    // The text differs from the path the window showed when it opened.
    bool isEdited(std::size_t module) const;
    // The first edited field, from the top of the window, whose text the file
    // cannot hold or would not give back as it is.
    const SettingsRow *firstUnstorablePath(const IniFile &ini, const ConfiguredPaths &paths) const;
    QLineEdit *editOf(const SettingsRow &row) const;

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
