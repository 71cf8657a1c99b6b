#include "menu/UnitMenuGeralNovoFrm.h"

#include "core/ConfiguredPaths.h"
#include "core/IniFile.h"
#include "core/ProgramDirectory.h"
#include "menu/MenuArtwork.h"
#include "menu/MenuCaptions.h"
#include "menu/MenuLayout.h"
#include "platform/Notifier.h"
#include "settings/UnitMenuGeralConfiguracoesSenhaFrm.h"
#include "widgets/CaptionLabel.h"
#include "widgets/ClickableLabel.h"
#include "widgets/ColourKey.h"
#include "widgets/GradientPanel.h"
#include "widgets/PictureBox.h"
#include "widgets/PictureButton.h"
#include "widgets/WindowDragger.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <tuple>
#include <vector>

namespace menugeral {
using namespace Qt::StringLiterals;

namespace {

// What the person is told of a file that is there but was refused unread; a
// file that cannot be read for another reason is taken as today, as none.
QString refusalWarning(const FileRefusal &refusal)
{
    switch (refusal.kind) {
    case FileRefusal::Kind::TooLarge:
        return u"O arquivo de configura\u00e7\u00e3o %1 tem %2 bytes, mais do que um arquivo de configura\u00e7\u00e3o "
               u"pode ter, e n\u00e3o foi lido.\rNenhum m\u00f3dulo est\u00e1 configurado."_s.arg(
                   QDir::toNativeSeparators(refusal.entry), QString::number(refusal.size));
    case FileRefusal::Kind::UntrustedLink:
        return u"O arquivo de configura\u00e7\u00e3o %1 \u00e9 um link simb\u00f3lico numa pasta que outros "
               u"usu\u00e1rios podem alterar, e n\u00e3o foi seguido.\rNenhum m\u00f3dulo est\u00e1 configurado."_s.arg(
                   QDir::toNativeSeparators(refusal.entry));
    case FileRefusal::Kind::None:
    case FileRefusal::Kind::NotRegular:
    case FileRefusal::Kind::System:
        break;
    }
    return {};
}

// The slot a catalogue row's tile runs, by catalogue row; none for a row
// without a tile. The tile's name, place, hint and launch come from the row.
const std::array<TFrmMenuGeralNovo::ClickHandler, ModuleCatalogue::size> kTileHandlers{{
    &TFrmMenuGeralNovo::PNGButton1Click,
    &TFrmMenuGeralNovo::bitQorVendasClick,
    &TFrmMenuGeralNovo::bitQorCaixaClick,
    &TFrmMenuGeralNovo::bitQorPDVClick,
    &TFrmMenuGeralNovo::bitQorCooperClick,
    &TFrmMenuGeralNovo::bitQorOndaroClick,
    &TFrmMenuGeralNovo::bitQorConferenciaClick,
    &TFrmMenuGeralNovo::bitQorIndustriaClick,
    &TFrmMenuGeralNovo::bitQorCRMClick,
    &TFrmMenuGeralNovo::bitQorNFeLightClick,
    &TFrmMenuGeralNovo::bitQorNFeFreeClick,
    &TFrmMenuGeralNovo::bitQorFinanceClick,
    &TFrmMenuGeralNovo::bitQorHelpDeskClick,
    &TFrmMenuGeralNovo::bitContabilidadeClick,
    &TFrmMenuGeralNovo::bitFiscalClick,
    &TFrmMenuGeralNovo::bitRhClick,
    &TFrmMenuGeralNovo::bitLucroPresumidoClick,
    &TFrmMenuGeralNovo::bitControlerClick,
    nullptr, // Cia has no tile
}};

// The catalogue rows that have a tile, in the order the panel stacks their
// tiles: the left block row by row, then the right block.
std::vector<std::size_t> rowsInStackingOrder()
{
    std::vector<std::size_t> rows;
    for (std::size_t row = 0; row < ModuleCatalogue::size; ++row) {
        Q_ASSERT((kTileHandlers[row] != nullptr) == ModuleCatalogue::at(row).hasMenuButton());
        if (kTileHandlers[row] != nullptr)
            rows.push_back(row);
    }
    std::ranges::sort(rows, {}, [](std::size_t row) {
        const QRect &bounds = ModuleCatalogue::at(row).menuTile;
        return std::tuple(bounds.left() > kImage4Bounds.left(), bounds.top(), bounds.left());
    });
    return rows;
}

const GradientPanelColours kTitleStripColours{QColor(0xFC, 0xFC, 0xFC), QColor(0xFC, 0xFC, 0xFC),
                                              QColor(0xFC, 0xFC, 0xFC), QColor(0xCA, 0xCA, 0xCB),
                                              QColor(0xCA, 0xCA, 0xCB, 155)};
const GradientPanelColours kModulesPanelColours{QColor(0xFC, 0xFC, 0xFC), QColor(0xFC, 0xFC, 0xFC),
                                                QColor(0xFC, 0xFC, 0xFC), QColor(0xFC, 0xFC, 0xFC),
                                                QColor(0xCA, 0xCA, 0xCB, 155)};

const QString kBackgroundArtwork = u"menu/background.png"_s;
const QString kWordmarkArtwork = u"menu/wordmark.png"_s;
const QString kEmblemArtwork = u"menu/emblem.png"_s;
const QString kHorizontalLineArtwork = u"menu/line-horizontal.png"_s;
const QString kVerticalLineArtwork = u"menu/line-vertical.png"_s;

QString tileArtworkName(QStringView tileName)
{
    return u"menu/tiles/"_s + tileName + u".png"_s;
}

template <typename Label> Label *makeCaption(QWidget *parent, const MenuCaption &caption, qreal devicePixelRatio)
{
    auto *label = new Label(caption.text.toString(), parent);
    applyCaption(*label, caption);
    label->setCaptionPicture(loadArtwork(captionArtworkName(caption), devicePixelRatio));
    return label;
}

PictureBox *makePicture(QWidget *parent, const QString &objectName, const QRect &bounds,
                        PictureBox::Placement placement, const QImage &picture)
{
    auto *box = new PictureBox(parent, placement);
    box->setObjectName(objectName);
    box->setGeometry(bounds);
    box->setPicture(picture);
    return box;
}

} // namespace

TFrmMenuGeralNovo::TFrmMenuGeralNovo(const PlatformServices &services, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_services(services),
      m_launcher(services.notifier, services.processStarter, services.pathSyntax)
{
    setObjectName(u"FrmMenuGeralNovo"_s);
    buildWindow();
    FormCreate();
}

TFrmMenuGeralNovo::~TFrmMenuGeralNovo() = default;

void TFrmMenuGeralNovo::buildWindow()
{
    setWindowTitle(kMenuCaption.toString());
    setFixedSize(kMenuClientSize);
    QFont windowFont(u"MS Sans Serif"_s);
    windowFont.setPixelSize(11);
    setFont(windowFont);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(kMenuColourKey));
    setPalette(palette);
    setAutoFillBackground(true);

    // Bottom to top: background, logos, then the two panels above everything.
    const qreal ratio = devicePixelRatioF();
    auto *background = makePicture(this, u"Image2"_s, kImage2Bounds, PictureBox::Placement::TopLeft,
                                   loadArtwork(kBackgroundArtwork, ratio));
    new WindowDragger(background);
    makePicture(this, u"PNGPicture1"_s, kPngPicture1Bounds, PictureBox::Placement::Centred,
                loadArtwork(kWordmarkArtwork, ratio));
    makePicture(this, u"PNGPicture2"_s, kPngPicture2Bounds, PictureBox::Placement::Centred,
                loadArtwork(kEmblemArtwork, ratio));

    auto *titleStrip = new GradientPanel(kTitleStripColours, this);
    titleStrip->setObjectName(u"AdvSmoothPanel1"_s);
    titleStrip->setGeometry(kTitleStripBounds);
    buildTitleStrip(titleStrip);

    auto *modulesPanel = new GradientPanel(kModulesPanelColours, this);
    modulesPanel->setObjectName(u"AdvSmoothPanel2"_s);
    modulesPanel->setGeometry(kModulesPanelBounds);
    buildModulesPanel(modulesPanel);

    // Centred on the desktop when first shown.
    if (const QScreen *desktop = screen()) {
        QRect frame(QPoint(0, 0), kMenuClientSize);
        frame.moveCenter(desktop->geometry().center());
        move(frame.topLeft());
    }
}

void TFrmMenuGeralNovo::buildTitleStrip(QWidget *strip)
{
    const qreal ratio = devicePixelRatioF();
    makeCaption<CaptionLabel>(strip, kLabel2Caption, ratio);

    auto *minimise = makeCaption<ClickableLabel>(strip, kMinimizarCaption, ratio);
    minimise->setCursor(Qt::PointingHandCursor);
    minimise->setToolTip(u"Minimizar a Janela"_s);
    minimise->setAccessibleName(minimise->toolTip());
    connect(minimise, &ClickableLabel::clicked, this, &TFrmMenuGeralNovo::lbMinimizarClick);

    auto *quit = makeCaption<ClickableLabel>(strip, kSairCaption, ratio);
    quit->setCursor(Qt::PointingHandCursor);
    quit->setToolTip(u"Fechar o Menu Geral"_s);
    quit->setAccessibleName(quit->toolTip());
    connect(quit, &ClickableLabel::clicked, this, &TFrmMenuGeralNovo::lbSairClick);
}

void TFrmMenuGeralNovo::buildModulesPanel(QWidget *panel)
{
    const qreal ratio = devicePixelRatioF();
    const QImage horizontalLine = loadArtwork(kHorizontalLineArtwork, ratio); // drawn twice, decoded once
    makePicture(panel, u"Image21"_s, kImage21Bounds, PictureBox::Placement::Stretched, horizontalLine);
    makeCaption<CaptionLabel>(panel, kLabel1Caption, ratio);
    makeCaption<CaptionLabel>(panel, kLabel3Caption, ratio);
    makePicture(panel, u"Image3"_s, kImage3Bounds, PictureBox::Placement::Stretched, horizontalLine);
    makePicture(panel, u"Image4"_s, kImage4Bounds, PictureBox::Placement::Stretched,
                loadArtwork(kVerticalLineArtwork, ratio));

    for (const std::size_t row : rowsInStackingOrder()) {
        const ModuleEntry &module = ModuleCatalogue::at(row);
        auto *button = new PictureButton(panel);
        button->setObjectName(module.menuButton.toString());
        button->setGeometry(module.menuTile);
        button->setPicture(loadArtwork(tileArtworkName(module.menuButton), ratio));
        button->setToolTip(module.menuHint.toString());
        button->setAccessibleName(button->toolTip());
        connect(button, &PictureButton::clicked, this, kTileHandlers[row]);
    }
}

void TFrmMenuGeralNovo::FormCreate()
{
    BuscarArquivoIni();
}

void TFrmMenuGeralNovo::BuscarArquivoIni()
{
    m_programDirectory = m_services.programDirectory.path();
    const QString fileName = m_programDirectory + kConfigFileName;
    const IniFile ini(fileName);
    if (const QString refused = refusalWarning(ini.refusal()); !refused.isEmpty()) {
        m_paths = {};
        m_services.notifier.warning(refused);
        TrazerAplicativoParaFrente();
        return;
    }
    const QFileInfo file(fileName);
    if (!file.exists() || file.isDir()) {
        m_services.notifier.warning(kMissingConfigWarning.toString());
        TrazerAplicativoParaFrente();
        return;
    }
    m_paths = readConfiguredPaths(ini, m_paths);
}

void TFrmMenuGeralNovo::rereadPaths()
{
    // A key missing from the file keeps the path held before; a file gone since keeps them all.
    const QString fileName = m_programDirectory + kConfigFileName;
    if (QFileInfo(fileName).isFile())
        m_paths = readConfiguredPaths(IniFile(fileName), m_paths);
}

QWidget *TFrmMenuGeralNovo::hostWindow()
{
    return this;
}

void TFrmMenuGeralNovo::TrazerAplicativoParaFrente()
{
    // The menu is the only window of its class on this desktop; before it is
    // on screen there is nothing to bring forward.
    if (!isVisible())
        return;
    raise();
    activateWindow();
}

void TFrmMenuGeralNovo::ChamarExecutavel(const QString &path, QStringView launchKey)
{
    m_launcher.ChamarExecutavel(path, launchKey);
}

const QString &TFrmMenuGeralNovo::programDirectory() const
{
    return m_programDirectory;
}

const QString &TFrmMenuGeralNovo::modulePath(std::size_t row) const
{
    return m_paths.at(row);
}

void TFrmMenuGeralNovo::launchRow(std::size_t row)
{
    // A path saved meanwhile from the command line counts at this click, as after F12.
    rereadPaths();
    ChamarExecutavel(m_paths[row], ModuleCatalogue::at(row).launchKey);
}

void TFrmMenuGeralNovo::PNGButton1Click()
{
    launchRow(ModuleRow::Gerencial);
}

void TFrmMenuGeralNovo::bitQorVendasClick()
{
    launchRow(ModuleRow::VendServ);
}

void TFrmMenuGeralNovo::bitQorCaixaClick()
{
    launchRow(ModuleRow::Caixa);
}

void TFrmMenuGeralNovo::bitQorPDVClick()
{
    launchRow(ModuleRow::Pdv);
}

void TFrmMenuGeralNovo::bitQorCooperClick()
{
    launchRow(ModuleRow::Cooper);
}

void TFrmMenuGeralNovo::bitQorOndaroClick()
{
    launchRow(ModuleRow::Ondaro);
}

void TFrmMenuGeralNovo::bitQorConferenciaClick()
{
    launchRow(ModuleRow::Conferencia);
}

void TFrmMenuGeralNovo::bitQorIndustriaClick()
{
    launchRow(ModuleRow::Industrial);
}

void TFrmMenuGeralNovo::bitQorCRMClick()
{
    launchRow(ModuleRow::Relac);
}

void TFrmMenuGeralNovo::bitQorNFeLightClick()
{
    launchRow(ModuleRow::Light);
}

void TFrmMenuGeralNovo::bitQorNFeFreeClick()
{
    launchRow(ModuleRow::Free);
}

void TFrmMenuGeralNovo::bitQorFinanceClick()
{
    launchRow(ModuleRow::Finance);
}

void TFrmMenuGeralNovo::bitQorHelpDeskClick()
{
    launchRow(ModuleRow::HelpDesk);
}

void TFrmMenuGeralNovo::bitContabilidadeClick()
{
    launchRow(ModuleRow::Contabil);
}

void TFrmMenuGeralNovo::bitFiscalClick()
{
    launchRow(ModuleRow::EscFiscal);
}

void TFrmMenuGeralNovo::bitRhClick()
{
    launchRow(ModuleRow::FolhaPgto);
}

void TFrmMenuGeralNovo::bitLucroPresumidoClick()
{
    launchRow(ModuleRow::Lucro);
}

void TFrmMenuGeralNovo::bitControlerClick()
{
    launchRow(ModuleRow::Controller);
}

void TFrmMenuGeralNovo::lbMinimizarClick()
{
    showMinimized();
}

void TFrmMenuGeralNovo::lbSairClick()
{
    close();
}

void TFrmMenuGeralNovo::keyPressEvent(QKeyEvent *event)
{
    FormKeyDown(event->key());
}

void TFrmMenuGeralNovo::FormKeyDown(int key)
{
    // Modifiers are not examined: Shift+F12 opens the settings as F12 does.
    switch (key) {
    case Qt::Key_Escape:
        close();
        break;
    case Qt::Key_F12:
        abrirConfiguracoes();
        break;
    default:
        break;
    }
}

void TFrmMenuGeralNovo::abrirConfiguracoes()
{
    // Made for this one request and gone when its modal loop returns; the
    // menu's own, so that window managers keep it with the menu.
    TfrmConfiguracoesSenha dialog(m_services, *this, this);
    dialog.exec();
}

void TFrmMenuGeralNovo::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The task switcher shows the application title; the window's own caption
    // stays as set (there is no caption bar to draw it).
    if (QWindow *native = windowHandle())
        native->setTitle(kApplicationTitle.toString());
}

void TFrmMenuGeralNovo::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    if (!m_colourKeyApplied) {
        m_colourKeyApplied = true;
        // Shaped once the first paint is on screen, so it never delays it.
        QTimer::singleShot(0, this, &TFrmMenuGeralNovo::applyColourKeyOnce);
    }
}

void TFrmMenuGeralNovo::applyColourKeyOnce()
{
    applyColourKey(this, kMenuColourKey);
}

} // namespace menugeral
