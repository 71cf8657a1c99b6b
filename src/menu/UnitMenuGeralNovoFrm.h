#pragma once

#include "core/ConfiguredPaths.h"
#include "core/ModuleCatalogue.h"
#include "menu/ModuleLauncher.h"
#include "platform/PlatformServices.h"
#include "settings/SettingsHost.h"

#include <QString>
#include <QWidget>

#include <array>

namespace menugeral {

inline constexpr QStringView kMissingConfigWarning =
    u"\u00c9 necess\u00e1rio configurar o sistema!\rPara acessar as configura\u00e7\u00f5es pressione <F12>.";

// The menu: a borderless picture window with a tile per module. It holds the
// module paths loaded from configuracoes.ini and starts a module on a click.
class TFrmMenuGeralNovo : public QWidget, public SettingsHost
{
    Q_OBJECT

public:
    // One of the slots below that a tile's click runs.
    using ClickHandler = void (TFrmMenuGeralNovo::*)();

    explicit TFrmMenuGeralNovo(const PlatformServices &services, QWidget *parent = nullptr);
    ~TFrmMenuGeralNovo() override;

    // (Re)loads the module paths; a missing file gives the F12 warning and
    // keeps the paths held so far; a file refused unread (too large, a link
    // planted where others may write) is named in a warning, and leaves no
    // module configured.
    void BuscarArquivoIni() override;
    QWidget *hostWindow() override;

    // Brings the menu to the front when it is on screen.
    void TrazerAplicativoParaFrente();

    void ChamarExecutavel(const QString &path, QStringView launchKey);

    // The directory of configuracoes.ini as of the last load, with its separator.
    const QString &programDirectory() const;
    // The path held for a catalogue row.
    const QString &modulePath(std::size_t row) const;

public Q_SLOTS:
    void PNGButton1Click();
    void bitQorVendasClick();
    void bitQorCaixaClick();
    void bitQorPDVClick();
    void bitQorCooperClick();
    void bitQorOndaroClick();
    void bitQorConferenciaClick();
    void bitQorIndustriaClick();
    void bitQorCRMClick();
    void bitQorNFeLightClick();
    void bitQorNFeFreeClick();
    void bitQorFinanceClick();
    void bitQorHelpDeskClick();
    void bitContabilidadeClick();
    void bitFiscalClick();
    void bitRhClick();
    void bitLucroPresumidoClick();
    void bitControlerClick();
    void lbMinimizarClick();
    void lbSairClick();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void FormCreate();
    void FormKeyDown(int key);
    void abrirConfiguracoes();
    // Starts the module of a catalogue row.
    void launchRow(std::size_t row);
    void rereadPaths();
    void applyColourKeyOnce();
    void buildWindow();
    void buildTitleStrip(QWidget *strip);
    void buildModulesPanel(QWidget *panel);

    PlatformServices m_services;
    ModuleLauncher m_launcher;
    QString m_programDirectory;
    ConfiguredPaths m_paths;
    bool m_colourKeyApplied = false;
};

} // namespace menugeral
